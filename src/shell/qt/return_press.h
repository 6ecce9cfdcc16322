#pragma once
// Return or Enter on a focused push button presses it, as Space does. Qt does so only for
// buttons of a dialog; the windows' buttons (Open…, Analyze, All, Save…) are pressed the
// same way.

class QPushButton;

namespace tallyvane {

void pressOnReturn(QPushButton& button);

}  // namespace tallyvane
