#include "timecode_ui/paste_policy.h"

#include <gtest/gtest.h>

#include "unchecked_timecode.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

using Paste = TimecodeField::PastePolicy;
using Validation = TimecodeField::ValidationPolicy;
using Style = TimecodeField::InputStyle;
using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;

const Timecode::Properties local24{Rate::fps24, Base::max80SubFrames, Limit::max24Hours};

struct Case {
    const char* name;
    Timecode::Components components;
    Timecode::Properties pasted;
    Paste paste;
    Validation validation;
    // Absent: rejected.
    std::optional<Timecode::Properties> takenAt;
    Style style = Style::continuousWithinComponent;
};

class PastePolicyTest : public testing::TestWithParam<Case> {};

TEST_P(PastePolicyTest, TakesOrRejects) {
    const Case& c = GetParam();
    const auto result = applyPastePolicy(make(c.components, c.pasted), local24, c.paste, c.validation, c.style);
    ASSERT_EQ(result.has_value(), c.takenAt.has_value());
    if (!result) return;
    EXPECT_EQ(result->components, c.components);
    EXPECT_EQ(result->properties, *c.takenAt);
}

const Timecode::Components plain{0, 1, 2, 3, 4, 0};
const Timecode::Components frames24{0, 1, 2, 3, 24, 0};
const Timecode::Components threeFrameDigits{0, 1, 2, 3, 100, 0};
const Timecode::Components negativeFrames{0, 1, 2, 3, -5, 0};
const Timecode::Components subFrames90{0, 1, 2, 3, 4, 90};
const Timecode::Components withDays{5, 1, 2, 3, 4, 0};
const Timecode::Components fiveDays{5, 1, 0, 0, 0, 0};
const Timecode::Properties at25{Rate::fps25, Base::max80SubFrames, Limit::max24Hours};
const Timecode::Properties at24Other{Rate::fps24, Base::max100SubFrames, Limit::max100Days};
const Timecode::Properties at24Quarter{Rate::fps24, Base::quarterFrames, Limit::max100Days};
const Timecode::Properties at120{Rate::fps120, Base::max80SubFrames, Limit::max24Hours};

INSTANTIATE_TEST_SUITE_P(
    Policies, PastePolicyTest,
    testing::Values(
        Case{"OtherRatePreserveRejectedAllowInvalid", plain, at25, Paste::preserveLocalProperties,
             Validation::allowInvalid, std::nullopt},
        Case{"OtherRateAllowNewTakenAt25", frames24, at25, Paste::allowNewProperties, Validation::enforceValid, at25},
        Case{"OtherRateDiscardTakenAt24", plain, at25, Paste::discardProperties, Validation::enforceValid, local24},
        Case{"OtherRateDiscardInvalidAt24", frames24, at25, Paste::discardProperties, Validation::enforceValid,
             std::nullopt},
        Case{"OtherRateDiscardInvalidAllowed", frames24, at25, Paste::discardProperties, Validation::allowInvalid,
             local24},
        Case{"SameRatePreserveTakesLocalAllowInvalid", plain, at24Other, Paste::preserveLocalProperties,
             Validation::allowInvalid, local24},
        // Valid at its own properties, the paste keeps its subframes base and upper limit.
        Case{"SubframesValidAtPastedBaseTaken", subFrames90, at24Other, Paste::preserveLocalProperties,
             Validation::enforceValid, at24Other},
        Case{"SubframesInvalidAtPastedBaseRejected", subFrames90, at24Quarter, Paste::preserveLocalProperties,
             Validation::enforceValid, std::nullopt},
        Case{"DaysKeptWithPastedLimit", fiveDays, at24Other, Paste::preserveLocalProperties, Validation::enforceValid,
             at24Other},
        Case{"DaysAllowedNew", withDays, at24Other, Paste::allowNewProperties, Validation::enforceValid, at24Other,
             Style::autoAdvance}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    DigitCounts, PastePolicyTest,
    testing::Values(
        Case{"ThreeFrameDigitsAutoAdvance", threeFrameDigits, local24, Paste::preserveLocalProperties,
             Validation::allowInvalid, std::nullopt, Style::autoAdvance},
        Case{"ThreeFrameDigitsUnbounded", threeFrameDigits, local24, Paste::preserveLocalProperties,
             Validation::allowInvalid, local24, Style::unbounded},
        Case{"ThreeFrameDigitsUnboundedStillInvalid", threeFrameDigits, local24, Paste::preserveLocalProperties,
             Validation::enforceValid, std::nullopt, Style::unbounded},
        Case{"NegativeCountsWithoutSign", negativeFrames, local24, Paste::preserveLocalProperties,
             Validation::allowInvalid, local24, Style::autoAdvance},
        Case{"ThreeDigitsFitAtNewRate120", threeFrameDigits, at120, Paste::allowNewProperties, Validation::enforceValid,
             at120, Style::autoAdvance},
        Case{"ThreeDigitsDiscardedTo24", threeFrameDigits, at120, Paste::discardProperties, Validation::allowInvalid,
             std::nullopt, Style::autoAdvance}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tallyvane
