#include "timecode_ui/timecode_field_model.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

using Component = Timecode::Component;
using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;
using Feedback = TimecodeField::InputRejectionFeedback;
using Animation = TimecodeField::RejectionAnimation;

// A value the field is bound to, counting the field's writes.
template <typename T>
struct Stored {
    T value;
    int writes = 0;
    Binding<T> binding() {
        return Binding<T>([this] { return value; }, [this](const T& v) {
            value = v;
            ++writes;
        });
    }
};

struct RecordingSink : RejectionFeedbackSink {
    int beeps = 0;
    std::vector<std::pair<std::optional<Component>, Animation>> animations;
    void beep() override { ++beeps; }
    void animateRejection(std::optional<Component> target, Animation animation) override {
        animations.emplace_back(target, animation);
    }
};

struct Field {
    Stored<Timecode::Components> components{{0, 1, 2, 3, 4, 0}};
    Stored<Rate> rate{Rate::fps24};
    Stored<Base> base{Base::max80SubFrames};
    Stored<Limit> limit{Limit::max24Hours};
    RecordingSink sink;
    TimecodeFieldModel model{components.binding(), rate.binding(), base.binding(), limit.binding()};
    // What the model posted, run when the test says the key event is over.
    std::deque<LaterTask> posted;

    explicit Field(TimecodeEnvironment settings = {}) {
        model.setEnvironment(settings.resolve({}));
        model.setFeedbackSink(&sink);
        model.setPoster([this](LaterTask task) { posted.push_back(std::move(task)); });
    }
    int propertyWrites() const { return rate.writes + base.writes + limit.writes; }
    void endEvent() {
        while (!posted.empty()) {
            LaterTask task = std::move(posted.front());
            posted.pop_front();
            task();
        }
    }
    // Focuses a component and presses the keys, each in an event of its own; returns the
    // components left.
    Timecode::Components type(Component component, const std::vector<KeyEquivalent>& keys) {
        model.setFocusedComponent(component);
        for (KeyEquivalent key : keys) {
            model.handleKeyPress(*model.focusedComponent(), key);
            endEvent();
        }
        return components.value;
    }
};

TEST(TimecodeFieldModelTest, RowsFollowLimitFormatAndRate) {
    struct Row {
        Rate rate;
        Limit limit;
        Timecode::StringFormat format;
        std::string row;
    };
    const Row rows[] = {
        {Rate::fps29_97, Limit::max24Hours, {}, "H:M:S:F"},
        {Rate::fps29_97d, Limit::max24Hours, {}, "H:M:S;F"},
        {Rate::fps25, Limit::max100Days, {}, "D H:M:S:F"},
        {Rate::fps25, Limit::max24Hours, {TimecodeStringFormatOption::alwaysShowDays}, "D H:M:S:F"},
        {Rate::fps59_94d, Limit::max24Hours, {TimecodeStringFormatOption::showSubFrames}, "H:M:S;F.U"},
    };
    for (const Row& r : rows) {
        std::string text;
        for (const auto& item : fieldRow(r.format, {r.rate, Base::max80SubFrames, r.limit})) {
            text += item.component ? std::string(1, "DHMSFU"[item.component->index()]) : item.separator;
        }
        EXPECT_EQ(text, r.row) << r.rate.stringValue();
    }
}

TEST(TimecodeFieldModelTest, FocusMovesOverVisibleComponents) {
    struct Row {
        TimecodeEnvironment settings;
        Component from;
        KeyEquivalent key;
        std::optional<Component> to;
    };
    const auto wrap = TimecodeEnvironment().timecodeFieldInputWrapping(TimecodeField::InputWrapping::wrap);
    const auto withSub = TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::showSubFrames});
    const Row rows[] = {
        {{}, Component::frames, KeyEquivalent::rightArrow(), Component::frames},
        {{}, Component::frames, KeyEquivalent(','), Component::frames},
        {wrap, Component::frames, KeyEquivalent(':'), Component::hours},
        {wrap, Component::hours, KeyEquivalent::leftArrow(), Component::frames},
        {{}, Component::hours, KeyEquivalent::leftArrow(), Component::hours},
        {withSub, Component::frames, KeyEquivalent('.'), Component::subFrames},
        {{}, Component::minutes, KeyEquivalent(';'), Component::seconds},
    };
    for (const Row& row : rows) {
        Field field(row.settings);
        field.model.setFocusedComponent(row.from);
        field.model.handleKeyPress(row.from, row.key);
        EXPECT_EQ(field.model.focusedComponent(), row.from) << row.from.name();
        field.endEvent();
        EXPECT_EQ(field.model.focusedComponent(), row.to) << row.from.name();
    }
}

TEST(TimecodeFieldModelTest, ReturnAndEscapeActions) {
    using Action = TimecodeField::FieldAction;
    using Outcome = TimecodeFieldModel::KeyOutcome;
    struct Row {
        std::optional<Action> action;
        Outcome outcome;
        std::optional<Component> focus;
    };
    const Row rows[] = {
        {std::nullopt, Outcome::ignored, Component::minutes},
        {Action::endEditing(), Outcome::ignored, std::nullopt},
        {Action::focusNextComponent(), Outcome::handled, Component::seconds},
        {Action::resetComponentFocus(Component::frames), Outcome::ignored, Component::frames},
        {Action::resetComponentFocus(), Outcome::ignored, Component::hours},
    };
    for (const Row& row : rows) {
        Field onReturn(TimecodeEnvironment().timecodeFieldReturnAction(row.action));
        onReturn.model.setFocusedComponent(Component::minutes);
        EXPECT_EQ(onReturn.model.handleKeyPress(Component::minutes, KeyEquivalent::returnKey()), row.outcome);
        EXPECT_EQ(onReturn.model.focusedComponent(), Component::minutes);
        onReturn.endEvent();
        EXPECT_EQ(onReturn.model.focusedComponent(), row.focus);

        Field onEscape(TimecodeEnvironment().timecodeFieldEscapeAction(row.action));
        onEscape.model.setFocusedComponent(Component::minutes);
        EXPECT_EQ(onEscape.model.handleKeyPress(Component::minutes, KeyEquivalent::escape()), row.outcome);
        onEscape.endEvent();
        EXPECT_EQ(onEscape.model.focusedComponent(), row.focus);
    }
}

TEST(TimecodeFieldModelTest, AFieldDisabledWhileAMoveWaitsTakesNoFocus) {
    Field field;
    field.model.setFocusedComponent(Component::minutes);
    field.model.handleKeyPress(Component::minutes, KeyEquivalent::rightArrow());
    field.model.setEnabled(false);
    field.endEvent();
    EXPECT_EQ(field.model.focusedComponent(), std::nullopt);
}

TEST(TimecodeFieldModelTest, RejectionFeedbackByKind) {
    struct Row {
        const char* name;
        TimecodeEnvironment settings;
        int beeps;
        std::optional<Animation> animation;
    };
    const auto feedback = [](std::optional<Feedback> f) {
        return TimecodeEnvironment().timecodeFieldInputRejectionFeedback(f);
    };
    const Row rows[] = {
        {"default", {}, 1, Animation::pulse},
        {"pulse", feedback(Feedback::validationBased(Animation::pulse)), 1, Animation::pulse},
        {"shake", feedback(Feedback::validationBasedAndUndefinedKeys(Animation::shake)), 1, Animation::shake},
        {"beep only", feedback(Feedback::validationBased(std::nullopt)), 1, std::nullopt},
        {"absent", feedback(std::nullopt), 0, std::nullopt},
    };
    for (const Row& row : rows) {
        for (KeyEquivalent key : {KeyEquivalent('q'), KeyEquivalent('9')}) {
            Field field(row.settings);
            field.type(Component::frames, {KeyEquivalent('2'), key});
            EXPECT_EQ(field.sink.beeps, row.beeps) << row.name;
            ASSERT_EQ(field.sink.animations.size(), row.animation ? 1u : 0u) << row.name;
            if (row.animation) {
                EXPECT_EQ(field.sink.animations[0].first, Component::frames) << row.name;
                EXPECT_EQ(field.sink.animations[0].second, *row.animation) << row.name;
            }
        }
    }
}

TEST(TimecodeFieldModelTest, CustomFeedbackReceivesTheRejectedKeyOrPasteWithoutABeep) {
    std::vector<TimecodeField::UserAction> received;
    Field field(TimecodeEnvironment().timecodeFieldInputRejectionFeedback(
        Feedback::custom([&](const TimecodeField::UserAction& a) { received.push_back(a); })));
    field.type(Component::hours, {KeyEquivalent('x')});
    field.model.handlePaste(TimecodePasteFailure{"nothing"});
    EXPECT_EQ(received, (std::vector{TimecodeField::UserAction::keyRejected(
                                         Component::hours, KeyEquivalent('x'),
                                         TimecodeField::KeyResult::Reason::undefinedKey),
                                     TimecodeField::UserAction::pasteRejected()}));
    EXPECT_EQ(field.sink.beeps, 0);
}

TEST(TimecodeFieldModelTest, DerivedTimecodeWritesOnlyWhatDiffers) {
    Field field;
    field.model.timecode().set(field.model.timecode().get());
    EXPECT_EQ(field.components.writes, 0);
    EXPECT_EQ(field.propertyWrites(), 0);

    field.model.timecode().set(make({0, 1, 2, 3, 4, 0}, {Rate::fps24, Base::max80SubFrames, Limit::max100Days}));
    EXPECT_EQ(field.components.writes, 0);
    EXPECT_EQ(field.limit.writes, 1);
    EXPECT_EQ(field.rate.writes + field.base.writes, 0);
}

TEST(TimecodeFieldModelTest, FieldFormsStoreTheirBindings) {
    Stored<Timecode::Components> components{{0, 10, 0, 0, 0, 0}};
    TimecodeFieldModel defaults(components.binding());
    EXPECT_EQ(defaults.localProperties(),
              (Timecode::Properties{Rate::fps24, Base::max100SubFrames, Limit::max24Hours}));
    // Constant properties ignore writes.
    defaults.timecode().set(make({0, 11, 0, 0, 0, 0}, {Rate::fps25, Base::quarterFrames, Limit::max100Days}));
    EXPECT_EQ(components.value.hours, 11);
    EXPECT_EQ(defaults.localProperties().frameRate, Rate::fps24);

    Stored<Timecode> whole{make({0, 1, 0, 0, 0, 0}, {Rate::fps30d, Base::max80SubFrames, Limit::max24Hours})};
    TimecodeFieldModel bound(whole.binding());
    EXPECT_EQ(bound.localProperties().frameRate, Rate::fps30d);
    bound.setEnvironment({});
    bound.setFocusedComponent(Component::frames);
    bound.handleKeyPress(Component::frames, KeyEquivalent::downArrow());
    EXPECT_EQ(whole.value.components.frames, 29);
    EXPECT_EQ(whole.writes, 1);
    // With no event loop to post to, a move takes effect at once.
    bound.handleKeyPress(Component::frames, KeyEquivalent::leftArrow());
    EXPECT_EQ(bound.focusedComponent(), Component::seconds);
}

TEST(TimecodeFieldModelTest, FieldLevelPasteGoesToTheActionAbove) {
    Field silent;
    bool loaded = false;
    silent.model.pasteIntoField([&](const Timecode::Properties& p) -> TimecodePasteResult {
        loaded = true;
        return make({}, p);
    });
    EXPECT_FALSE(loaded);

    std::vector<TimecodePasteResult> outcomes;
    Field listening(TimecodeEnvironment().timecodePasted(
        TimecodePasteAction{[&](const TimecodePasteResult& r) { outcomes.push_back(r); }}));
    listening.model.pasteIntoField([](const Timecode::Properties&) -> TimecodePasteResult {
        return TimecodePasteFailure{"unreadable"};
    });
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(std::get<TimecodePasteFailure>(outcomes[0]).message, "unreadable");
    EXPECT_EQ(listening.components.writes, 0);
}

}  // namespace
}  // namespace tallyvane
