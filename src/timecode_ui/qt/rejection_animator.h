#pragma once
// The two rejection animations of a timecode view: a horizontal shake that springs back
// from 5 points, and a flash 0.7 brighter that fades out in 0.08 seconds.

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include "timecode_ui/field_policies.h"
#include "timecode_ui/qt/brightness_effect.h"

namespace tallyvane {

class RejectionAnimator : public QObject {
    Q_OBJECT
public:
    // The pulse brightens all that `widget` and its children draw; the widget places
    // itself by the shake.
    explicit RejectionAnimator(QWidget* widget);

    void play(TimecodeField::RejectionAnimation animation);
    // Points to move right now.
    double shakeOffset() const { return shakeOffset_; }

signals:
    // The shake offset moved.
    void changed();

private:
    void showShake(const QVariant& offset);
    void showPulse(const QVariant& amount);

    QVariantAnimation shake_;
    QVariantAnimation pulse_;
    double shakeOffset_ = 0;
    // Gone when the widget is given another effect; it then no longer pulses.
    QPointer<BrightnessEffect> brightness_;
};

}  // namespace tallyvane
