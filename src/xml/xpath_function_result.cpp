#include "xml/xpath_function_result.h"

#include "xml/libxml_text.h"
#include "xml/xpath_result.h"

namespace tallyvane {

XPathFunctionResult::XPathFunctionResult(std::shared_ptr<const detail::XPathResult> result)
    : result_(std::move(result)) {}

bool XPathFunctionResult::boolValue() const { return result_->object().boolval != 0; }

double XPathFunctionResult::doubleValue() const { return result_->object().floatval; }

std::string XPathFunctionResult::stringValue() const { return detail::textFrom(result_->object().stringval); }

}  // namespace tallyvane
