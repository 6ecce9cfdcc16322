#include "timecode_ui/qt/timecode_field_widget.h"

#include <gtest/gtest.h>

#include <functional>

#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "qt/qt_test_application.h"
#include "timecode_ui/qt/qt_styles.h"
#include "timecode_ui/qt/timecode_clipboard.h"
#include "timecode_ui/qt/timecode_text_view.h"
#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

using Component = Timecode::Component;
using Rate = TimecodeFrameRate;

// The darkest grey drawn in `area`, 0 black to 255 white.
int darkestGreyIn(const QImage& image, const QRect& area) {
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

// How many pixels two pictures of one size differ in: what a failure says instead of the pictures.
int differingPixels(const QImage& one, const QImage& other) {
    int differing = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) differing += one.pixel(x, y) != other.pixel(x, y);
    }
    return differing;
}

// A window holding one field bound to `value`.
class FieldWindowTest : public QtTest {
protected:

    void open(const Timecode& start, const TimecodeEnvironment& settings = {}) {
        value = start;
        setTimecodeEnvironment(window, settings);
        auto binding = Binding<Timecode>([this] { return *value; }, [this](const Timecode& t) { value = t; });
        field = new TimecodeFieldWidget(std::make_unique<TimecodeFieldModel>(binding), &window);
        beeps = std::make_unique<QSignalSpy>(field, &TimecodeFieldWidget::beeped);
        layout->insertWidget(0, field);
        // A widget added to a window already shown would wait for the event loop to show.
        field->show();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Clicks a component and lets the focus the click asked for arrive.
    void tap(Component component) {
        QTest::mouseClick(field->componentWidget(component), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Taps a component, then sends each character to whatever has focus once the
    // previous key's focus move has run.
    void type(Component start, const QString& keys) {
        tap(start);
        for (QChar ch : keys) press(ch.toLatin1());
    }
    template <typename Key>
    void press(Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
    }

    QWidget* focused() const { return QApplication::focusWidget(); }

    std::optional<Timecode> value;
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    QLineEdit* other = [this] {
        auto* edit = new QLineEdit(&window);
        layout->addWidget(edit);
        return edit;
    }();
    TimecodeFieldWidget* field = nullptr;
    std::unique_ptr<QSignalSpy> beeps;
};

TEST_F(FieldWindowTest, TypingAcrossComponentsAtDropAndNonDropRates) {
    struct Row {
        Rate rate;
        QString shown;
    };
    for (const Row& row : {Row{Rate::fps29_97d, "01:02:03;04"}, Row{Rate::fps25, "01:02:03:04"},
                           Row{Rate::fps120, "01:02:03:004"}}) {
        open(make({}, row.rate), TimecodeEnvironment().timecodeFieldInputStyle(TimecodeField::InputStyle::autoAdvance));
        type(Component::hours, row.rate == Rate::fps120 ? "010203004" : "01020304");
        EXPECT_EQ(value->components, (Timecode::Components{0, 1, 2, 3, 4, 0})) << row.rate.stringValue();
        EXPECT_EQ(field->text(), row.shown);
        EXPECT_EQ(focused(), field->componentWidget(Component::frames));
        EXPECT_EQ(beeps->count(), 0);
        delete field;
    }
}

TEST_F(FieldWindowTest, KeysAndTabMoveFocusWithoutRejection) {
    open(make({0, 1, 2, 3, 4, 0}, Rate::fps25));
    tap(Component::hours);
    EXPECT_EQ(focused(), field->componentWidget(Component::hours));
    press(Qt::Key_Right);
    EXPECT_EQ(focused(), field->componentWidget(Component::minutes));
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), field->componentWidget(Component::seconds));
    EXPECT_EQ(field->model().focusedComponent(), Component::seconds);
    QTest::keyClick(focused(), Qt::Key_Shift);
    press(Qt::Key_Left);
    EXPECT_EQ(focused(), field->componentWidget(Component::minutes));
    QTest::keyClick(focused(), Qt::Key_Up);
    EXPECT_EQ(value->components.minutes, 3);
    EXPECT_EQ(beeps->count(), 0);

    QTest::keyClick(focused(), Qt::Key_Q);
    EXPECT_EQ(beeps->count(), 1);

    // Focus leaving the field clears the field's own focus.
    other->setFocus();
    EXPECT_EQ(field->model().focusedComponent(), std::nullopt);
}

TEST_F(FieldWindowTest, KeysAndTapsMoveFocusOnlyAfterTheirEvent) {
    using Action = TimecodeField::FieldAction;
    struct Row {
        const char* name;
        TimecodeEnvironment settings;
        // No keys: the event is a click on the target.
        std::vector<Qt::Key> keys;
        // Absent: no component keeps focus.
        std::optional<Component> target;
    };
    const Row rows[] = {
        {"auto advance", TimecodeEnvironment().timecodeFieldInputStyle(TimecodeField::InputStyle::autoAdvance),
         {Qt::Key_1, Qt::Key_2}, Component::seconds},
        {"separator", {}, {Qt::Key_Colon}, Component::seconds},
        {"left arrow", {}, {Qt::Key_Left}, Component::hours},
        // The first one clears the 2 shown, the second one leaves at 0.
        {"backspace at zero", {}, {Qt::Key_Backspace, Qt::Key_Backspace}, Component::hours},
        {"return ends editing", TimecodeEnvironment().timecodeFieldReturnAction(Action::endEditing()),
         {Qt::Key_Return}, std::nullopt},
        {"escape resets focus",
         TimecodeEnvironment().timecodeFieldEscapeAction(Action::resetComponentFocus(Component::frames)),
         {Qt::Key_Escape}, Component::frames},
        {"tap", {}, {}, Component::frames},
    };
    for (const Row& row : rows) {
        open(make({0, 1, 2, 3, 4, 0}, Rate::fps25), row.settings);
        tap(Component::minutes);
        if (row.keys.empty()) {
            QTest::mouseClick(field->componentWidget(*row.target), Qt::LeftButton);
        } else {
            for (std::size_t i = 0; i + 1 < row.keys.size(); ++i) press(row.keys[i]);
            QTest::keyClick(focused(), row.keys.back());
        }
        // The event is over, and the move it asked for still waits.
        EXPECT_EQ(focused(), field->componentWidget(Component::minutes)) << row.name;
        EXPECT_EQ(field->model().focusedComponent(), Component::minutes) << row.name;
        QCoreApplication::processEvents();
        EXPECT_EQ(field->model().focusedComponent(), row.target) << row.name;
        EXPECT_EQ(focused(), row.target ? field->componentWidget(*row.target) : nullptr) << row.name;
        delete field;
    }
}

TEST_F(FieldWindowTest, DisablingTheFieldClearsFocus) {
    open(make({}, Rate::fps25));
    tap(Component::frames);
    // Without focus to begin with, the check below could not tell anything apart.
    ASSERT_EQ(field->model().focusedComponent(), Component::frames);
    field->setEnabled(false);
    EXPECT_EQ(field->model().focusedComponent(), std::nullopt);
}

TEST_F(FieldWindowTest, PastingTextAndTimecodeJsonUnderEachPolicy) {
    using Validation = TimecodeField::ValidationPolicy;
    using Paste = TimecodeField::PastePolicy;
    const auto text = [](const char* t) { return std::vector<TransferItem>{{"public.utf8-plain-text", t}}; };
    const auto validation = [](Validation v) { return TimecodeEnvironment().timecodeFieldValidationPolicy(v); };
    const auto paste = [](Paste p) { return TimecodeEnvironment().timecodeFieldPastePolicy(p); };
    const std::vector<TransferItem> json = transferItems(
        Timecode(TimecodeSourceValue::components(2, 10, 20, 30, 12, 50),
                 {Rate::fps25, Timecode::SubFramesBase::max100SubFrames, Timecode::UpperLimit::max100Days}));
    struct Row {
        const char* name;
        Rate fieldRate;
        TimecodeEnvironment settings;
        std::vector<TransferItem> clipboard;
        // Absent: refused with a beep.
        std::optional<Timecode::Components> taken = std::nullopt;
        std::optional<Rate> takenAt = std::nullopt;
    };
    const Row rows[] = {
        {"valid text", Rate::fps25, validation(Validation::enforceValid), text("10:20:30:12"),
         Timecode::Components{0, 10, 20, 30, 12, 0}},
        {"invalid refused", Rate::fps25, validation(Validation::enforceValid), text("10:75:30:12"), std::nullopt},
        {"invalid allowed", Rate::fps25, validation(Validation::allowInvalid), text("10:75:30:12"),
         Timecode::Components{0, 10, 75, 30, 12, 0}},
        {"not a timecode", Rate::fps25, validation(Validation::allowInvalid), text("hello"), std::nullopt},
        {"json preserving", Rate::fps24, paste(Paste::preserveLocalProperties), json, std::nullopt},
        {"json allowing new", Rate::fps24, paste(Paste::allowNewProperties), json,
         Timecode::Components{2, 10, 20, 30, 12, 50}, Rate::fps25},
        // Days are out of range at the field's 24-hour limit.
        {"json discarding", Rate::fps24, paste(Paste::discardProperties), json, std::nullopt},
    };
    for (const Row& row : rows) {
        open(make({0, 1, 0, 0, 0, 0}, row.fieldRate), row.settings);
        QGuiApplication::clipboard()->setMimeData(mimeData(row.clipboard).release());
        tap(Component::hours);
        QTest::keySequence(focused(), QKeySequence::Paste);
        EXPECT_EQ(value->components, row.taken.value_or(Timecode::Components{0, 1, 0, 0, 0, 0})) << row.name;
        EXPECT_EQ(value->properties.frameRate, row.takenAt.value_or(row.fieldRate)) << row.name;
        EXPECT_EQ(beeps->count(), row.taken ? 0 : 1) << row.name;
        delete field;
    }
}

TEST_F(FieldWindowTest, PasteWithoutAFocusedComponentGoesToTheActionAbove) {
    std::vector<TimecodePasteResult> pasted;
    open(make({}, Rate::fps25), TimecodeEnvironment().timecodePasted(
                                    TimecodePasteAction{[&](const TimecodePasteResult& r) { pasted.push_back(r); }}));
    QGuiApplication::clipboard()->setText("00:00:01:00");
    field->paste();
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(std::get<Timecode>(pasted[0]).components.seconds, 1);
    EXPECT_EQ(value->components.seconds, 0);
}

TEST_F(FieldWindowTest, AComponentThatDisappearsEndsTheFieldsEditing) {
    const auto dropSubframes = [this] { setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({})); };
    using Option = TimecodeStringFormatOption;
    struct Row {
        const char* name;
        Component tapped;
        std::function<void()> hide;
    };
    const Row rows[] = {
        {"another component dropped", Component::hours, dropSubframes},
        {"the focused component dropped", Component::subFrames, dropSubframes},
        {"the whole field hidden", Component::hours, [this] { field->hide(); }},
        // The toolkit hands focus on to the hours inside the hide; the field does not take it.
        {"the focused days dropped", Component::days,
         [this] { setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({Option::showSubFrames})); }},
    };
    for (const Row& row : rows) {
        open(make({0, 1, 2, 3, 4, 5}, Rate::fps25),
             TimecodeEnvironment().timecodeFormat({Option::showSubFrames, Option::alwaysShowDays}));
        tap(row.tapped);
        ASSERT_EQ(field->model().focusedComponent(), row.tapped) << row.name;
        row.hide();
        // Like any other focus change, the end of editing waits for the event to be over, and
        // no other component takes the focus meanwhile.
        EXPECT_EQ(field->model().focusedComponent(), row.tapped) << row.name;
        QCoreApplication::processEvents();
        EXPECT_EQ(field->model().focusedComponent(), std::nullopt) << row.name;
        EXPECT_FALSE(field->componentWidget(row.tapped)->hasFocus()) << row.name;
        delete field;
    }
}

TEST_F(FieldWindowTest, APanelTakesTheSettingsOfTheWindowItIsAddedToAndLosesThemWhenMovedOut) {
    value = make({0, 1, 2, 3, 4, 5}, Rate::fps25);
    // Built first, with nothing above it, as a window's panels usually are.
    auto* panel = new QWidget;
    auto* panelLayout = new QVBoxLayout(panel);
    field = new TimecodeFieldWidget(std::make_unique<TimecodeFieldModel>(Binding<Timecode>(
                                        [this] { return *value; }, [this](const Timecode& t) { value = t; })),
                                    panel);
    auto* view = new TimecodeTextView(*value, panel);
    panelLayout->addWidget(field);
    panelLayout->addWidget(view);
    beeps = std::make_unique<QSignalSpy>(field, &TimecodeFieldWidget::beeped);

    setTimecodeEnvironment(window, TimecodeEnvironment()
                                       .timecodeFormat({TimecodeStringFormatOption::showSubFrames})
                                       .timecodeFieldValidationPolicy(TimecodeField::ValidationPolicy::allowInvalid));
    QWidget plain;
    new QVBoxLayout(&plain);
    struct Row {
        QWidget* window;
        QString shown;
        // Typing 7 then 5 into the minutes: 75 is refused with a beep, or taken.
        bool enforcesValid;
    };
    for (const Row& row : {Row{&window, "01:02:03:04.05", false}, Row{&plain, "01:02:03:04", true},
                           Row{&window, "01:02:03:04.05", false}}) {
        const bool scoped = row.window == &window;
        row.window->layout()->addWidget(panel);
        panel->show();
        row.window->show();
        row.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(row.window));
        EXPECT_EQ(field->text(), row.shown) << scoped;
        EXPECT_EQ(view->text(), row.shown) << scoped;
        const auto beepsBefore = beeps->count();
        type(Component::minutes, "75");
        EXPECT_EQ(value->components.minutes, row.enforcesValid ? 7 : 75) << scoped;
        EXPECT_EQ(beeps->count() - beepsBefore, row.enforcesValid ? 1 : 0) << scoped;
        value = make({0, 1, 2, 3, 4, 5}, Rate::fps25);
    }
}

TEST_F(FieldWindowTest, ARefusedPasteBrightensTheWholeFieldARefusedKeyItsComponent) {
    struct Row {
        const char* name;
        std::function<void(TimecodeFieldWidget&)> refuse;
        bool wholeField;
    };
    const Row rows[] = {
        {"paste",
         [](TimecodeFieldWidget& f) {
             QGuiApplication::clipboard()->setText("not a timecode");
             f.paste();
         },
         true},
        {"key", [](TimecodeFieldWidget& f) { QTest::keyClick(f.componentWidget(Component::hours), Qt::Key_Q); },
         false},
    };
    for (const Row& row : rows) {
        open(make({0, 1, 2, 3, 4, 0}, Rate::fps25));
        tap(Component::hours);
        const auto areaOf = [this](QWidget* part) { return QRect(part->mapTo(field, QPoint(0, 0)), part->size()); };
        const QRect hours = areaOf(field->componentWidget(Component::hours));
        const QRect minutes = areaOf(field->componentWidget(Component::minutes));
        const auto separators = field->findChildren<QLabel*>();
        ASSERT_FALSE(separators.isEmpty());
        const QRect separator = areaOf(separators.front());
        // Drawn as part of its window, as on screen.
        const auto shot = [this] {
            return window.grab(QRect(field->mapTo(&window, QPoint(0, 0)), field->size())).toImage();
        };
        const QImage before = shot();

        row.refuse(*field);
        ASSERT_EQ(beeps->count(), 1) << row.name;
        // The pulse starts at its brightest and has had no time to fade.
        const QImage during = shot();
        EXPECT_GT(darkestGreyIn(during, hours), darkestGreyIn(before, hours)) << row.name;
        EXPECT_EQ(darkestGreyIn(during, separator) > darkestGreyIn(before, separator), row.wholeField) << row.name;
        EXPECT_EQ(darkestGreyIn(during, minutes) > darkestGreyIn(before, minutes), row.wholeField) << row.name;

        // It fades within a tenth of a second; a busy machine may take longer to draw it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return shot() == before; }, 5000))
            << row.name << ": " << differingPixels(shot(), before) << " pixels still differ from before the refusal";
        delete field;
    }
}

TEST_F(FieldWindowTest, InvalidComponentsAreDrawnInTheValidationStyle) {
    open(make({0, 25, 2, 3, 4, 0}, Rate::fps25));
    EXPECT_EQ(field->componentWidget(Component::hours)->textColor(), toQColor(ShapeStyle::red().rgba()));
    EXPECT_NE(field->componentWidget(Component::minutes)->textColor(), toQColor(ShapeStyle::red().rgba()));
}

}  // namespace
}  // namespace tallyvane
