#pragma once
// A timecode shown read-only, styled by the timecode environment around it.

#include <QLabel>

#include "timecode_ui/qt/timecode_environment_scope.h"

namespace tallyvane {

class TimecodeTextView : public QLabel, public TimecodeEnvironmentReader {
    Q_OBJECT
public:
    explicit TimecodeTextView(const Timecode& timecode, QWidget* parent = nullptr);

    const Timecode& timecode() const { return timecode_; }
    void setTimecode(const Timecode& timecode);
    void timecodeEnvironmentChanged() override;

private:
    Timecode timecode_;
};

// A text view whose own format overrides the environment's.
TimecodeTextView* timecodeTextView(const Timecode& timecode, Timecode::StringFormat format, QWidget* parent);

}  // namespace tallyvane
