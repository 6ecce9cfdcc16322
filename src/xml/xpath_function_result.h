#pragma once
// The scalar result of an XPath evaluation, read as it is (no conversion between types).

#include <memory>
#include <string>

namespace tallyvane {

namespace detail {
class XPathResult;
}

class XPathFunctionResult {
public:
    explicit XPathFunctionResult(std::shared_ptr<const detail::XPathResult> result);

    bool boolValue() const;
    double doubleValue() const;
    std::string stringValue() const;

private:
    std::shared_ptr<const detail::XPathResult> result_;
};

}  // namespace tallyvane
