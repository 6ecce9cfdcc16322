#include "timecode_ui/qt/rejection_animator.h"

#include <QEasingCurve>

namespace tallyvane {

namespace {

constexpr double kShakeIntensity = 5.0;
constexpr double kPulseIntensity = 0.7;

}  // namespace

RejectionAnimator::RejectionAnimator(QObject* parent) : QObject(parent) {
    // A lightly damped spring: it overshoots a few times before it settles.
    QEasingCurve spring(QEasingCurve::OutElastic);
    spring.setAmplitude(1.0);
    spring.setPeriod(0.2);
    shake_.setStartValue(kShakeIntensity);
    shake_.setEndValue(0.0);
    shake_.setDuration(600);
    shake_.setEasingCurve(spring);
    pulse_.setStartValue(kPulseIntensity);
    pulse_.setEndValue(0.0);
    pulse_.setDuration(80);
    pulse_.setEasingCurve(QEasingCurve::Linear);
    connect(&shake_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        shakeOffset_ = v.toDouble();
        emit changed();
    });
    connect(&pulse_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        pulseAmount_ = v.toDouble();
        emit changed();
    });
}

void RejectionAnimator::play(TimecodeField::RejectionAnimation animation) {
    QVariantAnimation& which = animation == TimecodeField::RejectionAnimation::shake ? shake_ : pulse_;
    which.stop();
    which.start();
}

}  // namespace tallyvane
