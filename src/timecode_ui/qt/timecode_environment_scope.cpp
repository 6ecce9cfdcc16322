#include "timecode_ui/qt/timecode_environment_scope.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace tallyvane {

namespace {

// The settings of one widget, kept as its child so they live and die with it.
class EnvironmentScope : public QObject {
public:
    explicit EnvironmentScope(QWidget* owner) : QObject(owner) {}
    TimecodeEnvironment environment;
};

// Found by its C++ type: without a meta-object of its own, a Qt cast would take any child.
EnvironmentScope* scopeOf(const QWidget& widget) {
    for (QObject* child : widget.children()) {
        if (auto* scope = dynamic_cast<EnvironmentScope*>(child)) return scope;
    }
    return nullptr;
}

// Tells `widget` and every timecode widget inside it to re-read its settings.
void tellTimecodeReaders(QWidget& widget) {
    if (auto* reader = dynamic_cast<TimecodeEnvironmentReader*>(&widget)) reader->timecodeEnvironmentChanged();
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        if (auto* reader = dynamic_cast<TimecodeEnvironmentReader*>(child)) reader->timecodeEnvironmentChanged();
    }
}

class TimecodeMoveWatch : public QObject {
public:
    explicit TimecodeMoveWatch(QCoreApplication& application) : QObject(&application) {
        application.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ParentChange && watched->isWidgetType()) {
            tellTimecodeReaders(*static_cast<QWidget*>(watched));
        }
        return false;
    }
};

}  // namespace

void watchTimecodeWidgetMoves() {
    // A child of the application, so a later application gets a watch of its own.
    static QPointer<TimecodeMoveWatch> watch;
    if (watch == nullptr && QCoreApplication::instance() != nullptr) {
        watch = new TimecodeMoveWatch(*QCoreApplication::instance());
    }
}

void setTimecodeEnvironment(QWidget& widget, const TimecodeEnvironment& environment) {
    EnvironmentScope* scope = scopeOf(widget);
    if (scope == nullptr) scope = new EnvironmentScope(&widget);
    scope->environment = environment;
    tellTimecodeReaders(widget);
}

TimecodeEnvironmentValues resolvedTimecodeEnvironment(const QWidget& widget) {
    std::vector<const EnvironmentScope*> scopes;
    for (const QWidget* w = &widget; w != nullptr; w = w->parentWidget()) {
        if (const auto* scope = scopeOf(*w)) scopes.push_back(scope);
    }
    TimecodeEnvironmentValues values;
    for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) values = (*it)->environment.resolve(values);
    return values;
}

}  // namespace tallyvane
