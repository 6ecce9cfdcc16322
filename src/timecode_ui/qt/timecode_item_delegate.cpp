#include "timecode_ui/qt/timecode_item_delegate.h"

#include <QApplication>
#include <QPainter>

#include "timecode_ui/qt/qt_styles.h"
#include "timecode_ui/qt/timecode_line_edit.h"

namespace tallyvane {

TimecodeItemDelegate::TimecodeItemDelegate(std::shared_ptr<const TimecodeTextFormatter> formatter, QObject* parent)
    : QStyledItemDelegate(parent), formatter_(std::move(formatter)) {}

QString TimecodeItemDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    if (value.typeId() != QMetaType::QString) return QStyledItemDelegate::displayText(value, locale);
    const auto shown = formatter_->string(value.toString().toStdString());
    return shown ? QString::fromStdString(*shown) : value.toString();
}

void TimecodeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QVariant value = index.data(Qt::DisplayRole);
    std::optional<AttributedText> styled;
    if (value.typeId() == QMetaType::QString) {
        styled = formatter_->attributedString(value.toString().toStdString(), std::nullopt);
    }
    const auto formats = styled ? toFormatRanges(*styled) : QList<QTextLayout::FormatRange>{};
    if (formats.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    // The style draws the cell without its text; the text follows with its own formats.
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QStyle* style = item.widget != nullptr ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);

    QTextLayout layout(QString::fromStdString(styled->plainText()), item.font);
    layout.setFormats(formats);
    layout.setTextOption(QTextOption(item.displayAlignment & Qt::AlignHorizontal_Mask));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(area.width());
    layout.endLayout();

    painter->save();
    painter->setClipRect(area);
    const bool selected = (item.state & QStyle::State_Selected) != 0;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, QPointF(area.left(), area.top() + (area.height() - line.height()) / 2));
    painter->restore();
}

void TimecodeItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = toQtAlignment(formatter_->alignment);
}

QWidget* TimecodeItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new TimecodeLineEdit(parent);
    editor->setFormatter(formatter_);
    return editor;
}

}  // namespace tallyvane
