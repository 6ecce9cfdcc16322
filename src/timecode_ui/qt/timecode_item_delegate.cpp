#include "timecode_ui/qt/timecode_item_delegate.h"

#include "timecode_ui/qt/timecode_line_edit.h"

namespace tallyvane {

TimecodeItemDelegate::TimecodeItemDelegate(const TimecodeTextFormatter& formatter, QObject* parent)
    : QStyledItemDelegate(parent), formatter_(formatter) {}

QString TimecodeItemDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    if (value.typeId() != QMetaType::QString) return QStyledItemDelegate::displayText(value, locale);
    const auto shown = formatter_.string(value.toString().toStdString());
    return shown ? QString::fromStdString(*shown) : value.toString();
}

QWidget* TimecodeItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new TimecodeLineEdit(parent);
    editor->setFormatter(formatter_);
    return editor;
}

}  // namespace tallyvane
