#pragma once
// The JSON form of a model enumeration: its raw text as one value. An enumeration takes
// it by deriving its nlohmann::adl_serializer from RawValueCoding and naming itself in
// its RawValues table (`typeName`), so that a failed decoding says what it expected.

#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "model/raw_value.h"

namespace tallyvane {

// A JSON value that is no text, or a text that names no case.
class RawValueDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class E>
struct RawValueCoding {
    template <class Json>
    static void to_json(Json& json, E value) {
        json = std::string(rawValue(value));
    }

    template <class Json>
    static void from_json(const Json& json, E& value) {
        const std::string type(RawValues<E>::typeName);
        if (!json.is_string()) {
            throw RawValueDecodingError("Expected to decode " + type + " from a text but found " +
                                        std::string(json.type_name()) + " instead.");
        }
        const auto& text = json.template get_ref<const typename Json::string_t&>();
        const std::optional<E> found = fromRawValue<E>(text);
        if (!found) throw RawValueDecodingError("Cannot initialize " + type + " from invalid value \"" + text + "\".");
        value = *found;
    }
};

}  // namespace tallyvane
