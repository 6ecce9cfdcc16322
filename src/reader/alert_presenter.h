#pragma once
// Where the reader shows what went wrong with a document: the shell puts it on the main
// window, the command-line tool on standard error.

#include <string_view>

namespace tallyvane {

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // An informational alert with its message and the informative text beneath it.
    virtual void showAlert(std::string_view messageText, std::string_view informativeText) = 0;
};

}  // namespace tallyvane
