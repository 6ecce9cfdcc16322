#pragma once
// The reader of FCPXML documents, the one road by which a project enters the model. One
// reader lives for the whole program run beside the store it fills.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "model/store.h"
#include "reader/alert_presenter.h"
#include "reader/input_type.h"

namespace tallyvane {

class ReaderContext;

class FCPXMLReader {
public:
    // `tick` is called now and then during a reading, so that a window can repaint.
    FCPXMLReader(Store& store, AlertPresenter& alerts, std::ostream& log, std::function<void()> tick = {});
    FCPXMLReader(const FCPXMLReader&) = delete;
    FCPXMLReader& operator=(const FCPXMLReader&) = delete;

    // Reads the document's bytes into the store, which the caller has emptied. Never
    // throws: a document that cannot be read is shown as an alert, its reason on `log`,
    // and leaves nothing in the store. The bytes are let go once they are parsed, so a
    // caller that moves them in never holds them beside the tree and the model.
    void processFCPXML(std::string document);

    // FCPXML from the first reading on.
    InputType currentInputType() const noexcept { return currentInputType_; }

    // The format of clips, assets and timelines whose format is unknown: made once, in
    // the store after every reading.
    const std::shared_ptr<VideoFormat>& defaultVideoFormat();

private:
    void readPasses(ReaderContext& context);

    Store& store_;
    AlertPresenter& alerts_;
    std::ostream& log_;
    std::function<void()> tick_;
    InputType currentInputType_ = InputType::null;
    std::shared_ptr<VideoFormat> defaultVideoFormat_;
};

}  // namespace tallyvane
