#include "timecode_ui/qt/key_translation.h"

#include <gtest/gtest.h>

#include "qt/qt_test_application.h"

namespace tallyvane {
namespace {

using KeyTranslationTest = QtTest;

TEST_F(KeyTranslationTest, QtKeysAsFieldKeys) {
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::optional<KeyEquivalent> expected;
    };
    const Row rows[] = {
        {Qt::Key_7, Qt::NoModifier, "7", KeyEquivalent('7')},
        {Qt::Key_7, Qt::KeypadModifier, "7", KeyEquivalent('7')},
        {Qt::Key_Plus, Qt::ShiftModifier, "+", KeyEquivalent('+')},
        {Qt::Key_Up, Qt::NoModifier, "", KeyEquivalent::upArrow()},
        {Qt::Key_Right, Qt::NoModifier, "", KeyEquivalent::rightArrow()},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", KeyEquivalent::deleteBackward()},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", KeyEquivalent::deleteForward()},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", KeyEquivalent::escape()},
        {Qt::Key_Return, Qt::NoModifier, "\r", KeyEquivalent::returnKey()},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", KeyEquivalent::enter()},
        {Qt::Key_F1, Qt::NoModifier, "", KeyEquivalent::functionKey(1)},
        {Qt::Key_A, Qt::NoModifier, "a", KeyEquivalent('a')},
        // Left to others: modifiers alone, focus-chain keys and shortcuts.
        {Qt::Key_Shift, Qt::ShiftModifier, "", std::nullopt},
        {Qt::Key_Control, Qt::ControlModifier, "", std::nullopt},
        {Qt::Key_Alt, Qt::AltModifier, "", std::nullopt},
        {Qt::Key_Tab, Qt::NoModifier, "\t", std::nullopt},
        {Qt::Key_Backtab, Qt::ShiftModifier, "", std::nullopt},
        {Qt::Key_C, Qt::ControlModifier, "\x03", std::nullopt},
        {Qt::Key_VolumeUp, Qt::NoModifier, "", std::nullopt},
    };
    for (const Row& row : rows) {
        const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers, row.text);
        EXPECT_EQ(keyEquivalent(event), row.expected) << row.key;
    }
}

}  // namespace
}  // namespace tallyvane
