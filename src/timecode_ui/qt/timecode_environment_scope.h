#pragma once
// Timecode view settings attached to any widget: they reach every timecode view inside
// it, and a scope on an inner widget overrides them for the views inside that one.

#include <vector>

#include <QPointer>
#include <QWidget>

#include "timecode_ui/timecode_environment.h"

namespace tallyvane {

// Implemented by the timecode widgets, which re-read their settings when told.
class TimecodeEnvironmentReader {
public:
    virtual ~TimecodeEnvironmentReader() = default;
    virtual void timecodeEnvironmentChanged() = 0;
};

// Tells a timecode widget to re-read its settings whenever it or any widget above it
// moves to another parent, so that a panel built first and added under a scope later
// takes that scope's settings, and loses them when it moves out. Qt tells only the widget
// that moved, not the ones inside it, so every widget above is watched.
class TimecodeAncestorWatch : public QObject {
public:
    TimecodeAncestorWatch(QWidget& widget, TimecodeEnvironmentReader& reader);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchAncestors();

    QWidget& widget_;
    TimecodeEnvironmentReader& reader_;
    std::vector<QPointer<QWidget>> watched_;
};

// Replaces the settings attached to `widget` and tells every timecode view inside it.
void setTimecodeEnvironment(QWidget& widget, const TimecodeEnvironment& environment);

// The settings in force for `widget`: the defaults with every scope from the outermost
// ancestor down to the widget itself laid over them.
TimecodeEnvironmentValues resolvedTimecodeEnvironment(const QWidget& widget);

}  // namespace tallyvane
