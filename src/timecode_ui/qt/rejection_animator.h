#pragma once
// The two rejection animations of a timecode view: a horizontal shake that springs back
// from 5 points, and a flash 0.7 brighter that fades out in 0.08 seconds.

#include <QObject>
#include <QVariantAnimation>

#include "timecode_ui/field_policies.h"

namespace tallyvane {

class RejectionAnimator : public QObject {
    Q_OBJECT
public:
    explicit RejectionAnimator(QObject* parent);

    void play(TimecodeField::RejectionAnimation animation);
    // Points to move right now.
    double shakeOffset() const { return shakeOffset_; }
    // Brightness to add now, 0 to 0.7.
    double pulseAmount() const { return pulseAmount_; }

signals:
    void changed();

private:
    QVariantAnimation shake_;
    QVariantAnimation pulse_;
    double shakeOffset_ = 0;
    double pulseAmount_ = 0;
};

}  // namespace tallyvane
