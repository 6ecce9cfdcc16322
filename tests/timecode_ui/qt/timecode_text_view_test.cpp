#include "timecode_ui/qt/timecode_text_view.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QTextDocument>

#include "qt/qt_test_application.h"
#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

QString plain(const QLabel& label) {
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

using TextViewTest = QtTest;

TEST_F(TextViewTest, ShowsTheTimecodeWithItsStyles) {
    QWidget window;
    auto* view = new TimecodeTextView(make({0, 25, 2, 3, 4, 0}, TimecodeFrameRate::fps29_97d), &window);
    EXPECT_EQ(plain(*view), "25:02:03;04");
    EXPECT_TRUE(view->text().contains("color:#ffff3b30")) << view->text().toStdString();

    setTimecodeEnvironment(window, TimecodeEnvironment().timecodeValidationStyle().timecodeSeparatorStyle(
                                       ShapeStyle::color({0, 0, 255, 255})));
    EXPECT_FALSE(view->text().contains("#ffff3b30"));
    EXPECT_EQ(view->text().count("color:#ff0000ff"), 3);
}

TEST_F(TextViewTest, OwnFormatOverridesTheEnvironment) {
    QWidget window;
    setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::alwaysShowDays}));
    auto* inherits = new TimecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25), &window);
    auto* own = timecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25),
                                 {TimecodeStringFormatOption::filenameCompatible, TimecodeStringFormatOption::showSubFrames},
                                 &window);
    EXPECT_EQ(plain(*inherits), "0 01:02:03:04");
    EXPECT_EQ(plain(*own), "01-02-03-04.05");
}

// A widget of a panel that deletes a sibling view the first time it is told of new settings.
class SiblingDeletingReader : public QWidget, public TimecodeEnvironmentReader {
public:
    explicit SiblingDeletingReader(TimecodeTextView* sibling) : QWidget(sibling->parentWidget()), sibling_(sibling) {}
    void timecodeEnvironmentChanged() override { delete sibling_.data(); }

private:
    QPointer<TimecodeTextView> sibling_;
};

TEST_F(TextViewTest, EveryViewOfAPanelTakesTheScopeItIsAddedUnderWhateverBecameOfItsSiblings) {
    struct Row {
        const char* name;
        std::function<void(TimecodeTextView*, QWidget& elsewhere)> change;
    };
    const Row rows[] = {
        {"a sibling deleted", [](TimecodeTextView* view, QWidget&) { delete view; }},
        {"a sibling moved out", [](TimecodeTextView* view, QWidget& elsewhere) { view->setParent(&elsewhere); }},
        // A reader told before the view deletes it as it reacts: the walk must not visit it.
        {"a sibling deleted by a reader told first",
         [](TimecodeTextView* view, QWidget&) {
             auto* reader = new SiblingDeletingReader(view);
             reader->stackUnder(view);
         }},
    };
    for (const Row& row : rows) {
        QWidget window;
        QWidget elsewhere;
        setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::showSubFrames}));
        auto* panel = new QWidget;
        std::vector<TimecodeTextView*> views;
        for (int i = 0; i < 3; ++i) views.push_back(new TimecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25), panel));
        row.change(views[0], elsewhere);
        panel->setParent(&window);
        EXPECT_EQ(plain(*views[1]), "01:02:03:04.05") << row.name;
        EXPECT_EQ(plain(*views[2]), "01:02:03:04.05") << row.name;
    }
}

// Clearing a panel deletes its settings with its children: new settings and new views of the
// panel neither read nor write the ones deleted (the sanitizer build sees any such access).
TEST_F(TextViewTest, AClearedPanelTakesNewSettingsAfterTheOldAreDeleted) {
    QWidget window;
    setTimecodeEnvironment(window, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::showSubFrames}));
    auto* panel = new QWidget(&window);
    setTimecodeEnvironment(*panel, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::alwaysShowDays}));
    new TimecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25), panel);
    const QObjectList children = panel->children();
    qDeleteAll(children);

    auto* view = new TimecodeTextView(make({0, 1, 2, 3, 4, 5}, TimecodeFrameRate::fps25), panel);
    EXPECT_EQ(plain(*view), "01:02:03:04.05");  // the window's settings alone
    setTimecodeEnvironment(*panel, TimecodeEnvironment().timecodeFormat({TimecodeStringFormatOption::filenameCompatible}));
    EXPECT_EQ(plain(*view), "01-02-03-04");
}

}  // namespace
}  // namespace tallyvane
