#include "timecode_ui/qt/rejection_animator.h"

#include <QEasingCurve>

namespace tallyvane {

namespace {

constexpr double kShakeIntensity = 5.0;
constexpr double kPulseIntensity = 0.7;

}  // namespace

RejectionAnimator::RejectionAnimator(QWidget* widget) : QObject(widget), brightness_(new BrightnessEffect(widget)) {
    widget->setGraphicsEffect(brightness_);
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
    connect(&shake_, &QVariantAnimation::valueChanged, this, &RejectionAnimator::showShake);
    connect(&pulse_, &QVariantAnimation::valueChanged, this, &RejectionAnimator::showPulse);
}

void RejectionAnimator::play(TimecodeField::RejectionAnimation animation) {
    const bool shake = animation == TimecodeField::RejectionAnimation::shake;
    QVariantAnimation& which = shake ? shake_ : pulse_;
    which.stop();
    which.start();
    // The animation tells of its first value only when it differs from the last one it
    // told, which a first run never does; the rejection shows at once all the same.
    if (shake) {
        showShake(which.currentValue());
    } else {
        showPulse(which.currentValue());
    }
}

void RejectionAnimator::showShake(const QVariant& offset) {
    shakeOffset_ = offset.toDouble();
    emit changed();
}

void RejectionAnimator::showPulse(const QVariant& amount) {
    if (brightness_) brightness_->setAmount(amount.toDouble());
}

}  // namespace tallyvane
