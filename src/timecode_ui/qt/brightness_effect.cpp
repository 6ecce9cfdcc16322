#include "timecode_ui/qt/brightness_effect.h"

#include <QPainter>

namespace tallyvane {

void BrightnessEffect::setAmount(double amount) {
    amount_ = amount;
    // Off between pulses, so the widget is not drawn through a pixmap all the time.
    setEnabled(amount_ > 0);
    update();
}

void BrightnessEffect::draw(QPainter* painter) {
    QPoint offset;
    QPixmap pixmap = sourcePixmap(Qt::DeviceCoordinates, &offset);
    if (pixmap.isNull()) return;
    {
        QPainter tint(&pixmap);
        // Only where something is drawn, text edges in proportion to their coverage.
        tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        tint.fillRect(pixmap.rect(), QColor::fromRgbF(1, 1, 1, static_cast<float>(amount_)));
    }
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawPixmap(offset, pixmap);
    painter->restore();
}

}  // namespace tallyvane
