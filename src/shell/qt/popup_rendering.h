#pragma once
// A pop-up button shows a controller's menu: the same titles in the same order, the same
// selection.

#include <string_view>

#include <QComboBox>

#include "shell/popup_menu.h"

namespace tallyvane {

// Only the user's choices reach the controller (the `activated` signal), so rendering
// sends nothing back. Items titled `separatorTitle`, when one is given, show as separators
// that cannot be chosen.
void renderPopup(QComboBox& popup, const PopupMenu& menu, std::string_view separatorTitle = {});

}  // namespace tallyvane
