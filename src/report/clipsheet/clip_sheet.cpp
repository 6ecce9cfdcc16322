#include "report/clipsheet/clip_sheet.h"

#include <map>
#include <optional>

#include "common/debug_text.h"
#include "common/number_text.h"
#include "media/media_error.h"
#include "report/clipsheet/clip_row.h"
#include "report/clipsheet/music_tags.h"
#include "report/clipsheet/row_target.h"
#include "report/clipsheet/thumbnail_width.h"
#include "report/clipsheet/thumbnail_batch.h"
#include "report/clipsheet/time_cells.h"
#include "report/column_widths.h"
#include "report/element_sheet.h"
#include "report/list_sheet.h"
#include "xlsx/error.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

// A batch's worker count that means one thread per hardware thread.
constexpr unsigned kEveryHardwareThread = 0;

constexpr xlsx::Color kRowColors[] = {xlsx::Color::black, xlsx::Color::blue,  xlsx::Color::brown,
                                      xlsx::Color::gray,  xlsx::Color::green, xlsx::Color::purple};

std::string columnsDebugText(const std::vector<ColumnHeading>& columns) {
    std::vector<std::string> texts;
    texts.reserve(columns.size());
    for (const ColumnHeading heading : columns) texts.emplace_back(rawValue(heading));
    return debugList(texts);
}

void printSetUp(const ReportContext& context, const std::vector<ColumnHeading>& columns,
                const std::vector<std::string>& headings) {
    std::ostream& log = context.log();
    log << debugQuoted("columnHeadings: ") << ' ' << columnsDebugText(columns) << '\n';
    log << debugQuoted("metadataHeadings:") << ' ' << debugList(headings) << '\n';
    log << debugQuoted("adjustments:");
    for (const double offset : {context.hhmmssffAdj, context.framesAdj, context.feetframesAdj, context.clockAdj, 0.0}) {
        log << ' ' << formatDouble(offset);
    }
    log << '\n';
}

// The width, in characters, of a column that holds pictures `pixels` wide. Up to five
// pixels the usual rule gives no width or a negative one: the column would be hidden or
// refused, and the picture would slip into the next column. Below one character a column
// shows twelve pixels per character, so such a column is made just as wide as its picture.
double pictureColumnWidth(std::int64_t pixels) {
    if (pixels <= kThumbnailPadding) return static_cast<double>(pixels) / 12.0;
    return static_cast<double>(pixels - kThumbnailPadding) / static_cast<double>(kThumbnailPixelsPerCharacter);
}

// Texts of a track show as numbers where they read as one: a track number, a year.
void writeTagNumber(RowTarget& target, H heading, const std::string& text) {
    if (const std::optional<double> number = parseDouble(text)) target.number(heading, *number);
}

void writeMusicTags(RowTarget& target, const MusicTags& tags) {
    target.text(H::ID3title, tags.title);
    target.text(H::ID3album, tags.album);
    writeTagNumber(target, H::ID3track, tags.track);
    writeTagNumber(target, H::ID3year, tags.year);
    target.text(H::ID3genre, tags.genre);
    target.text(H::ID3artist, tags.artist);
    target.text(H::ID3composer, tags.composer);
    target.text(H::ID3publisher, tags.publisher);
}

class ClipSheetWriter {
public:
    ClipSheetWriter(ReportContext& context, std::string_view sheetName, std::vector<ColumnHeading> columns,
                    std::vector<std::string> metadataHeadings, bool useColorText)
        : context_(context),
          columns_(std::move(columns)),
          metadataHeadings_(std::move(metadataHeadings)),
          index_(columns_),
          useColorText_(useColorText),
          header_(listHeaderFormat(*context.workbook)),
          pairs_(makePairs(*context.workbook)),
          sheet_(context.workbook->addWorksheet(sheetName)) {}

    std::vector<FileTotal> write(const std::vector<std::shared_ptr<StoryElement>>& elements) {
        writeHeader();
        const std::vector<std::shared_ptr<StoryElement>> sorted = inReportOrder(elements);
        if (index_[H::Thumbnail] && context_.thumbnailWidth >= 1) {
            std::vector<const StoryElement*> pictured;
            for (const auto& element : sorted) {
                if (element->trackType() == TrackType::Video) pictured.push_back(element.get());
            }
            thumbnails_.emplace(pictured, context_.thumbnailFolder, context_.thumbnailWidth, kEveryHardwareThread,
                                context_.tick, context_.thumbnailFolderProblem.value_or(""));
        }
        for (std::size_t p = 0; p < sorted.size(); ++p) writeRow(*sorted[p], static_cast<std::uint32_t>(p + 1));
        context_.sheetColumnWidths.apply(sheet_);
        return totals_.take();
    }

private:
    static std::map<xlsx::Color, RowFormatPair> makePairs(xlsx::Workbook& workbook) {
        std::map<xlsx::Color, RowFormatPair> pairs;
        for (const xlsx::Color color : kRowColors) {
            xlsx::Format number = listTextFormat(workbook, color);
            pairs.emplace(color, RowFormatPair{number, listMarkFormat(workbook, color, false)});
        }
        return pairs;
    }

    void writeHeader() {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            sheet_.write(std::string(headingText(columns_[i])), xlsx::Cell(0, i), header_);
        }
        for (std::size_t i = 0; i < metadataHeadings_.size(); ++i) {
            sheet_.write(std::string(trimmingLineFeeds(metadataHeadings_[i])), xlsx::Cell(0, columns_.size() + i),
                         header_);
        }
        std::vector<double> widths = columnWidths(columns_);
        const std::vector<double> metadataWidths = columnWidthsForMetadataHeadings(metadataHeadings_);
        widths.insert(widths.end(), metadataWidths.begin(), metadataWidths.end());
        context_.sheetColumnWidths.reset(std::move(widths));
    }

    void writeRow(const StoryElement& element, std::uint32_t row) {
        context_.tick();
        printElement(context_.log(), element);
        addFileTotal(totals_, element);
        RowTarget target{sheet_, context_.sheetColumnWidths, index_, row,
                         pairs_.at(rowColor(element, useColorText_))};
        target.number(H::Row, static_cast<double>(row));
        if (thumbnails_ && element.trackType() == TrackType::Video) writeThumbnail(target);
        writeIdentityCells(target, element);
        writeTimelineCells(target, element, context_);
        writeSourceCells(target, element, context_);
        writeDescriptiveCells(target, element);
        if (index_[H::ID3title]) writeMusicTagCells(target, element);
        writeMetadataCells(target, columns_.size(), metadataHeadings_, element);
    }

    void writeMusicTagCells(RowTarget& target, const StoryElement& element) {
        std::optional<MusicTags> tags;
        try {
            tags = loadAudioMetadata(element, context_.log());
        } catch (const MediaModuleError& failure) {
            // The cells of a file whose tags cannot be read; the shell says why once.
            context_.mediaShortfall.moduleFailure = failure.reason();
            tags = MusicTags{};
        }
        if (tags) writeMusicTags(target, *tags);
    }

    void writeThumbnail(RowTarget& target) {
        const ThumbnailResult result = thumbnails_->next(context_.log());
        if (!result.text) return;
        if (!result.isPicture()) {
            target.text(H::Thumbnail, *result.text);
            countShortfall(*result.text, result.pictureFailure);
            if (const std::optional<std::string> failure = thumbnails_->moduleFailure()) {
                context_.mediaShortfall.moduleFailure = failure;
            }
            return;
        }
        const std::uint16_t column = *index_[H::Thumbnail];
        try {
            sheet_.insertImage(*result.text, xlsx::Cell(target.row, column), result.rowHeight);
        } catch (const xlsx::XlsxError& refusal) {
            // A picture file the workbook cannot take costs its row the picture, not the
            // report its other rows.
            context_.log() << debugQuoted(std::string(refusal.what()) + ": " + *result.text) << '\n';
            target.text(H::Thumbnail, std::string(kProblemText));
            countShortfall(kProblemText, refusal.what());
            return;
        }
        // The picture, not its path, fills the column.
        std::vector<double> widths = context_.sheetColumnWidths.values();
        widths.at(column) = pictureColumnWidth(context_.thumbnailWidth);
        context_.sheetColumnWidths.reset(std::move(widths));
    }

    void countShortfall(std::string_view cellText, const std::string& pictureFailure) {
        MediaShortfall& shortfall = context_.mediaShortfall;
        ++(cellText == kOfflineText ? shortfall.offlineThumbnails : shortfall.problemThumbnails);
        if (!pictureFailure.empty()) {
            ++shortfall.unwrittenPictures;
            shortfall.pictureFailure = pictureFailure;
        }
    }

    ReportContext& context_;
    std::vector<ColumnHeading> columns_;
    std::vector<std::string> metadataHeadings_;
    ColumnIndex index_;
    bool useColorText_;
    xlsx::Format header_;
    std::map<xlsx::Color, RowFormatPair> pairs_;
    xlsx::Worksheet sheet_;
    std::optional<ThumbnailBatch> thumbnails_;
    FileTotals totals_;
};

}  // namespace

std::vector<FileTotal> writeClipSheet(ReportContext& context, const std::vector<std::shared_ptr<StoryElement>>& elements,
                                      std::string_view sheetName, const ReportOptions& options, bool useColorText) {
    context.log() << debugQuoted("sheetName: " + std::string(sheetName)) << '\n';
    if (context.sheetKind == 0) return {};
    std::vector<ColumnHeading> columns = startingColumns(context.sheetKind);
    removeSwitchedOffColumns(columns, options, context.thumbnailWidth);
    std::vector<std::string> headings = metadataHeadings(elements, options);
    printSetUp(context, columns, headings);
    if (!context.workbook) return {};
    return ClipSheetWriter(context, sheetName, std::move(columns), std::move(headings), useColorText).write(elements);
}

}  // namespace tallyvane
