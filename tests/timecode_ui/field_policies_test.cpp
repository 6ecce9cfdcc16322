#include "timecode_ui/field_policies.h"

#include <gtest/gtest.h>

#include <unordered_set>

#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

using KeyResult = TimecodeField::KeyResult;
using FieldAction = TimecodeField::FieldAction;
using UserAction = TimecodeField::UserAction;
using Component = Timecode::Component;

TEST(FieldPoliciesTest, KeyResultTexts) {
    struct Row {
        KeyResult result;
        const char* description;
    };
    const Row rows[] = {
        {{KeyResult::Result::handled, KeyResult::FocusResult::focusNextComponent, std::nullopt},
         "<handled focusNextComponent>"},
        {{KeyResult::Result::ignored, std::nullopt, KeyResult::Reason::undefinedKey}, "<ignored undefinedKey>"},
        {{KeyResult::Result::handled, KeyResult::FocusResult::focusPreviousComponent, KeyResult::Reason::invalid},
         "<handled focusPreviousComponent invalid>"},
        {{KeyResult::Result::performReturnAction, std::nullopt, std::nullopt}, "<performReturnAction>"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.result.description(), row.description);
        EXPECT_EQ(row.result.debugDescription(), std::string("KeyResult") + row.description);
    }
}

TEST(FieldPoliciesTest, KeyResultsDifferingInOneFieldAreDistinct) {
    const KeyResult results[] = {
        {KeyResult::Result::handled, std::nullopt, std::nullopt},
        {KeyResult::Result::ignored, std::nullopt, std::nullopt},
        {KeyResult::Result::handled, KeyResult::FocusResult::focusNextComponent, std::nullopt},
        {KeyResult::Result::handled, std::nullopt, KeyResult::Reason::invalid},
        {KeyResult::Result::handled, std::nullopt, KeyResult::Reason::undefinedKey},
    };
    std::unordered_set<KeyResult> set(std::begin(results), std::end(results));
    EXPECT_EQ(set.size(), std::size(results));
    EXPECT_TRUE(set.contains(KeyResult{KeyResult::Result::handled, std::nullopt, KeyResult::Reason::invalid}));
}

TEST(FieldPoliciesTest, FieldActionRawTexts) {
    struct Row {
        const char* text;
        std::optional<FieldAction> action;
    };
    const Row rows[] = {
        {"endEditing", FieldAction::endEditing()},
        {"focusNextComponent", FieldAction::focusNextComponent()},
        {"resetComponentFocus-to-frames", FieldAction::resetComponentFocus(Component::frames)},
        {"resetComponentFocus-to-subFrames", FieldAction::resetComponentFocus(Component::subFrames)},
        {"resetComponentFocus", std::nullopt},
        {"", std::nullopt},
        {"EndEditing", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FieldAction::fromRawValue(row.text), row.action) << row.text;
        if (row.action) {
            EXPECT_EQ(row.action->rawValue(), row.text);
        }
    }
    EXPECT_EQ(FieldAction::resetComponentFocus().rawValue(), "resetComponentFocus");
    EXPECT_EQ(FieldAction::allCases().front(), FieldAction::endEditing());
    EXPECT_EQ(FieldAction::allCases().back(), FieldAction::resetComponentFocus(Component::subFrames));
    EXPECT_NE(FieldAction::resetComponentFocus(), FieldAction::resetComponentFocus(Component::days));
}

TEST(FieldPoliciesTest, UserActionsCompareByEveryPart) {
    const auto a = UserAction::keyRejected(Component::hours, KeyEquivalent('x'), KeyResult::Reason::undefinedKey);
    EXPECT_EQ(a, UserAction::keyRejected(Component::hours, KeyEquivalent('x'), KeyResult::Reason::undefinedKey));
    const UserAction others[] = {
        UserAction::keyRejected(Component::minutes, KeyEquivalent('x'), KeyResult::Reason::undefinedKey),
        UserAction::keyRejected(Component::hours, KeyEquivalent('y'), KeyResult::Reason::undefinedKey),
        UserAction::keyRejected(Component::hours, KeyEquivalent('x'), KeyResult::Reason::invalid),
        UserAction::pasteRejected(),
    };
    for (const auto& other : others) EXPECT_NE(a, other);
    EXPECT_EQ(UserAction::pasteRejected(), UserAction::pasteRejected());
    EXPECT_TRUE(UserAction::pasteRejected().isPasteRejected());
    EXPECT_EQ(a.keyRejection()->key, KeyEquivalent('x'));
}

TEST(FieldPoliciesTest, PasteResultsCompareAsTheirTimecodes) {
    const Timecode::Properties p25{TimecodeFrameRate::fps25, Timecode::SubFramesBase::max80SubFrames,
                                   Timecode::UpperLimit::max24Hours};
    auto p30 = p25;
    p30.frameRate = TimecodeFrameRate::fps30;
    auto days = p25;
    days.upperLimit = Timecode::UpperLimit::max100Days;
    const Timecode one = make({0, 1, 0, 0, 0, 0}, p25);
    using Result = TimecodeField::PasteValidationResult;
    std::hash<Result> hash;
    // The upper limit is no part of a timecode's equality, and so of the hash.
    for (const Timecode& same : {make({0, 1, 0, 0, 0, 0}, p25), make({0, 1, 0, 0, 0, 0}, days)}) {
        EXPECT_EQ(Result::allowed(one), Result::allowed(same));
        EXPECT_EQ(hash(Result::allowed(one)), hash(Result::allowed(same)));
    }
    EXPECT_NE(Result::allowed(one), Result::allowed(make({0, 1, 0, 0, 0, 0}, p30)));
    EXPECT_NE(Result::allowed(one), Result::allowed(make({0, 1, 0, 0, 1, 0}, p25)));
    EXPECT_NE(Result::allowed(one), Result::rejected(UserAction::pasteRejected()));
    EXPECT_EQ(Result::rejected(UserAction::pasteRejected()), Result::rejected(UserAction::pasteRejected()));
}

}  // namespace
}  // namespace tallyvane
