#include "timecode_ui/qt/qt_styles.h"

namespace tallyvane {

QColor toQColor(Rgba rgba) { return QColor(rgba.red, rgba.green, rgba.blue, rgba.alpha); }

QColor toQColor(const ShapeStyle& style, const QPalette& palette) {
    switch (style.kind()) {
        case ShapeStyle::Kind::color: return toQColor(style.rgba());
        case ShapeStyle::Kind::tint: return palette.color(QPalette::Highlight);
        case ShapeStyle::Kind::secondary: return palette.color(QPalette::PlaceholderText);
    }
    return palette.color(QPalette::WindowText);
}

QTextCharFormat toCharFormat(const TextAttributes& attributes) {
    QTextCharFormat format;
    if (attributes.foreground) format.setForeground(toQColor(*attributes.foreground));
    if (attributes.background) format.setBackground(toQColor(*attributes.background));
    if (attributes.bold) format.setFontWeight(*attributes.bold ? QFont::Bold : QFont::Normal);
    if (attributes.underline) format.setFontUnderline(*attributes.underline);
    return format;
}

Qt::Alignment toQtAlignment(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::natural:
        case TextAlignment::left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextAlignment::center: return Qt::AlignHCenter | Qt::AlignVCenter;
        case TextAlignment::right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlignment::justified: return Qt::AlignJustify | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QList<QTextLayout::FormatRange> toFormatRanges(const AttributedText& text) {
    QList<QTextLayout::FormatRange> ranges;
    int start = 0;
    for (const AttributedRun& run : text.runs) {
        const auto length = static_cast<int>(QString::fromStdString(run.text).size());
        if (run.attributes != TextAttributes{}) ranges.append({start, length, toCharFormat(run.attributes)});
        start += length;
    }
    return ranges;
}

}  // namespace tallyvane
