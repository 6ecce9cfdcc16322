#include "timecode_ui/qt/key_translation.h"

namespace tallyvane {

std::optional<KeyEquivalent> keyEquivalent(const QKeyEvent& event) {
    const auto key = event.key();
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_unknown: return std::nullopt;
        default: break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
    switch (key) {
        case Qt::Key_Up: return KeyEquivalent::upArrow();
        case Qt::Key_Down: return KeyEquivalent::downArrow();
        case Qt::Key_Left: return KeyEquivalent::leftArrow();
        case Qt::Key_Right: return KeyEquivalent::rightArrow();
        case Qt::Key_Backspace: return KeyEquivalent::deleteBackward();
        case Qt::Key_Delete: return KeyEquivalent::deleteForward();
        case Qt::Key_Clear: return KeyEquivalent::clear();
        case Qt::Key_Escape: return KeyEquivalent::escape();
        case Qt::Key_Return: return KeyEquivalent::returnKey();
        case Qt::Key_Enter: return KeyEquivalent::enter();
        case Qt::Key_Insert: return KeyEquivalent::insert();
        case Qt::Key_Home: return KeyEquivalent::home();
        case Qt::Key_End: return KeyEquivalent::end();
        case Qt::Key_PageUp: return KeyEquivalent::pageUp();
        case Qt::Key_PageDown: return KeyEquivalent::pageDown();
        default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return KeyEquivalent::functionKey(key - Qt::Key_F1 + 1);
    const QString text = event.text();
    if (text.isEmpty()) return std::nullopt;
    return KeyEquivalent{text.toUcs4().value(0)};
}

}  // namespace tallyvane
