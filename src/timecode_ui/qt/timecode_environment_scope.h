#pragma once
// Timecode view settings attached to any widget: they reach every timecode view inside
// it, and a scope on an inner widget overrides them for the views inside that one.

#include <QWidget>

#include "timecode_ui/timecode_environment.h"

namespace tallyvane {

// Implemented by the timecode widgets, which re-read their settings when told.
class TimecodeEnvironmentReader {
public:
    virtual ~TimecodeEnvironmentReader() = default;
    virtual void timecodeEnvironmentChanged() = 0;
};

// Makes sure, once per application, that timecode widgets re-read their settings whenever
// they or any widget above them move to another parent, so that a panel built first and
// added under a scope later takes that scope's settings, and loses them when it moves out.
// Qt tells only the widget that moved, so one application-wide filter tells the timecode
// widgets inside it: a move costs the size of what moved, and no widget's own filter list
// is touched while the toolkit walks it. Called by every timecode widget's constructor.
void watchTimecodeWidgetMoves();

// Replaces the settings attached to `widget` and tells every timecode view inside it.
void setTimecodeEnvironment(QWidget& widget, const TimecodeEnvironment& environment);

// The settings in force for `widget`: the defaults with every scope from the outermost
// ancestor down to the widget itself laid over them.
TimecodeEnvironmentValues resolvedTimecodeEnvironment(const QWidget& widget);

}  // namespace tallyvane
