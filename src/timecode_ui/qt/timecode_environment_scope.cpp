#include "timecode_ui/qt/timecode_environment_scope.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QVariant>

#include <vector>

namespace tallyvane {

namespace {

// The settings of one widget, kept as its child so they live and die with it.
class EnvironmentScope : public QObject {
public:
    explicit EnvironmentScope(QWidget* owner) : QObject(owner) {}
    TimecodeEnvironment environment;
};

// The widget names its scope in a property of its own, so finding it costs the same however
// many children the widget has: walking them at every ancestor of every view made a move
// cost the square of the views moved. The property holds a guarded pointer: a panel cleared
// of its children (`qDeleteAll(panel.children())`) deletes the scope and keeps the property.
constexpr const char* kScopeProperty = "_tallyvane_timecode_scope";

EnvironmentScope* scopeOf(const QWidget& widget) {
    const QVariant scope = widget.property(kScopeProperty);
    return scope.isValid() ? static_cast<EnvironmentScope*>(scope.value<QPointer<QObject>>().data()) : nullptr;
}

// Tells `widget` and every timecode widget inside it to re-read its settings. A reader may
// delete other widgets of the panel as it reacts, so the walk holds guarded pointers.
void tellTimecodeReaders(QWidget& widget) {
    std::vector<QPointer<QWidget>> widgets{&widget};
    for (QWidget* child : widget.findChildren<QWidget*>()) widgets.emplace_back(child);
    for (const QPointer<QWidget>& each : widgets) {
        if (each.isNull()) continue;
        if (auto* reader = dynamic_cast<TimecodeEnvironmentReader*>(each.data())) reader->timecodeEnvironmentChanged();
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
    if (scope == nullptr) {
        scope = new EnvironmentScope(&widget);
        widget.setProperty(kScopeProperty, QVariant::fromValue(QPointer<QObject>(scope)));
    }
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
