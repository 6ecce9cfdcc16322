#include "timecode_ui/qt/timecode_environment_scope.h"

#include <QEvent>

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

}  // namespace

void setTimecodeEnvironment(QWidget& widget, const TimecodeEnvironment& environment) {
    EnvironmentScope* scope = scopeOf(widget);
    if (scope == nullptr) scope = new EnvironmentScope(&widget);
    scope->environment = environment;
    if (auto* reader = dynamic_cast<TimecodeEnvironmentReader*>(&widget)) reader->timecodeEnvironmentChanged();
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        if (auto* reader = dynamic_cast<TimecodeEnvironmentReader*>(child)) reader->timecodeEnvironmentChanged();
    }
}

TimecodeAncestorWatch::TimecodeAncestorWatch(QWidget& widget, TimecodeEnvironmentReader& reader)
    : widget_(widget), reader_(reader) {
    watchAncestors();
}

bool TimecodeAncestorWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        watchAncestors();
        reader_.timecodeEnvironmentChanged();
    }
    return false;
}

void TimecodeAncestorWatch::watchAncestors() {
    for (const QPointer<QWidget>& w : watched_) {
        if (w) w->removeEventFilter(this);
    }
    watched_.clear();
    for (QWidget* w = &widget_; w != nullptr; w = w->parentWidget()) {
        w->installEventFilter(this);
        watched_.emplace_back(w);
    }
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
