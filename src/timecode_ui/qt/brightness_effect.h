#pragma once
// Brightens what a widget and its children draw, leaving what they leave transparent
// untouched: the rejection pulse of a timecode view.

#include <QGraphicsEffect>

namespace tallyvane {

class BrightnessEffect : public QGraphicsEffect {
    Q_OBJECT
public:
    explicit BrightnessEffect(QObject* parent) : QGraphicsEffect(parent) { setEnabled(false); }

    // 0 draws the widget as it is, 1 draws it white.
    void setAmount(double amount);

protected:
    void draw(QPainter* painter) override;

private:
    double amount_ = 0;
};

}  // namespace tallyvane
