#include "reader/fcpxml_reader.h"

#include <exception>
#include <ostream>
#include <utility>

#include "reader/assets.h"
#include "common/debug_text.h"
#include "reader/document_checks.h"
#include "reader/events.h"
#include "reader/multicams.h"
#include "reader/reader_context.h"
#include "reader/sequences.h"
#include "reader/video_formats.h"
#include "reader/xml_content_error.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

namespace tallyvane {

namespace {

constexpr std::string_view kRule = "--------------------";

}  // namespace

FCPXMLReader::FCPXMLReader(Store& store, AlertPresenter& alerts, std::ostream& log, std::function<void()> tick)
    : store_(store), alerts_(alerts), log_(log), tick_(std::move(tick)) {}

const std::shared_ptr<VideoFormat>& FCPXMLReader::defaultVideoFormat() {
    if (!defaultVideoFormat_) defaultVideoFormat_ = makeDefaultVideoFormat();
    return defaultVideoFormat_;
}

void FCPXMLReader::processFCPXML(std::string document) {
    currentInputType_ = InputType::FCPXML;
    bool filling = false;
    // Half a project would pass for the whole one, also to whatever looks at the store
    // while the alert is up: it is emptied first.
    const auto alert = [&](std::string_view messageText, std::string_view informativeText) {
        if (filling) store_.deleteAll();
        alerts_.showAlert(messageText, informativeText);
    };
    try {
        // Only the markup the log shows needs the layout of the text.
        auto [parsed, index] = parseIndexed(document.data(), document.size(),
                                            log_ ? MarkupLayout::kept : MarkupLayout::dropped);
        std::string().swap(document);
        checkFCPXMLDocument(parsed);
        ReaderContext context(store_, log_, std::move(parsed), std::move(index), defaultVideoFormat(), tick_);
        filling = true;
        readPasses(context);
        return;
    } catch (const XMLError& error) {
        if (error.kind() == XMLError::Kind::libXMLError) {
            log_ << "LibXML error: code=" << error.code() << ", message=" << error.message() << '\n';
            alert("There is a problem parsing this FCPXML", error.message());
        } else {
            log_ << "XML error: " << error.errorDescription() << '\n';
            alert(error.errorDescription(), error.recoverySuggestion());
        }
    } catch (const XMLContentError& error) {
        alert(error.errorDescription(), error.recoverySuggestion());
    } catch (const std::exception& error) {
        log_ << error.what() << '\n';
        alert("There is a problem with this FCPXML", error.what());
    }
}

void FCPXMLReader::readPasses(ReaderContext& context) {
    log_ << kRule << '\n';
    storeFormats(context);
    log_ << debugQuoted("formats:") << ' ' << store_.fetch<VideoFormat>().size() << '\n';
    log_ << kRule << '\n';

    storeAssets(context);
    log_ << debugQuoted("assets:") << ' ' << store_.fetch<Asset>().size() << '\n';

    storeMulticams(context);
    storeSequences(context.index().compoundSequences, Composition::Category::CompoundClip, nullptr, context);
    log_ << kRule << '\n';
    storeEventsAndTheirContents(context);
    log_ << kRule << '\n';
}

}  // namespace tallyvane
