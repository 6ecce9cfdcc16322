// Document bytes through the reader into the model, as an open would give them.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

#include "model/store.h"
#include "reader/fcpxml_reader.h"

namespace {

class SilentAlerts : public tallyvane::AlertPresenter {
public:
    void showAlert(std::string_view, std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tallyvane::Store store;
    static SilentAlerts alerts;
    static std::ostream discarded(nullptr);
    static tallyvane::FCPXMLReader reader(store, alerts, discarded);
    store.deleteAll();
    reader.processFCPXML(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
