#pragma once
// The toolkit-free colours and attributes of the timecode views as Qt colours and
// character formats.

#include <QColor>
#include <QPalette>
#include <QTextCharFormat>
#include <QTextLayout>

#include "timecode_ui/shape_style.h"
#include "timecode_ui/timecode_text_layout.h"

namespace tallyvane {

QColor toQColor(Rgba rgba);
// Tint is the palette's highlight, secondary its placeholder-text colour.
QColor toQColor(const ShapeStyle& style, const QPalette& palette);
QTextCharFormat toCharFormat(const TextAttributes& attributes);
Qt::Alignment toQtAlignment(TextAlignment alignment);
// Where the runs that carry attributes lie in the text, in UTF-16 positions.
QList<QTextLayout::FormatRange> toFormatRanges(const AttributedText& text);

}  // namespace tallyvane
