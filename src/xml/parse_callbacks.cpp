#include "xml/parse_callbacks.h"

#include <libxml/SAX2.h>

namespace tallyvane::detail {

namespace {

Reading* readingOf(void* context) {
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    auto* reading = static_cast<Reading*>(parser->_private);
    return reading != nullptr && reading->parser == parser ? reading : nullptr;
}

bool isSpacing(const xmlChar* text, int length) {
    for (int i = 0; i < length; ++i) {
        const xmlChar c = text[i];
        if (c != ' ' && c != '\n' && c != '\t' && c != '\r') return false;
    }
    return true;
}

// Whitespace that waited is made into text as libxml2 would have made it, before whatever
// followed it.
void releaseSpacing(void* context, Reading& reading) {
    if (!reading.spacingWaits) return;
    reading.spacingWaits = false;
    xmlSAX2Characters(context, reinterpret_cast<const xmlChar*>(reading.spacing.data()),
                      static_cast<int>(reading.spacing.size()));
}

// The waiting whitespace is left out when an element follows it or when it closes its
// parent after an element: it then stands between elements, or between an element and the
// start or end of its parent, and a parent without element children keeps its text.
void settleSpacing(void* context, Reading& reading, bool elementFollows) {
    if (!reading.spacingWaits) return;
    if (elementFollows || reading.spacingFollowsElement) {
        reading.spacingWaits = false;
    } else {
        releaseSpacing(context, reading);
    }
}

bool dropsSpacingIn(Reading& reading, const xmlNode* parent) {
    if (parent != reading.askedParent) {
        reading.askedParent = parent;
        reading.dropsSpacingInAskedParent = reading.options->dropsSpacingIn(parent);
    }
    return reading.dropsSpacingInAskedParent;
}

void characters(void* context, const xmlChar* text, int length) {
    Reading* reading = readingOf(context);
    if (reading != nullptr && isSpacing(text, length)) {
        if (reading->spacingWaits) {
            reading->spacing.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
            return;
        }
        const xmlNode* parent = reading->parser->node;
        const xmlNode* last = parent != nullptr ? parent->last : nullptr;
        if (parent != nullptr && parent->type == XML_ELEMENT_NODE &&
            (last == nullptr || last->type == XML_ELEMENT_NODE) && dropsSpacingIn(*reading, parent)) {
            // Copied: the parser's input buffer moves on before the next event.
            reading->spacing.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
            reading->spacingWaits = true;
            reading->spacingFollowsElement = last != nullptr;
            return;
        }
    }
    if (reading != nullptr) releaseSpacing(context, *reading);
    xmlSAX2Characters(context, text, length);
}

void cdataBlock(void* context, const xmlChar* text, int length) {
    if (Reading* reading = readingOf(context)) releaseSpacing(context, *reading);
    xmlSAX2CDataBlock(context, text, length);
}

void comment(void* context, const xmlChar* text) {
    if (Reading* reading = readingOf(context)) releaseSpacing(context, *reading);
    xmlSAX2Comment(context, text);
}

void processingInstruction(void* context, const xmlChar* target, const xmlChar* data) {
    if (Reading* reading = readingOf(context)) releaseSpacing(context, *reading);
    xmlSAX2ProcessingInstruction(context, target, data);
}

void reference(void* context, const xmlChar* name) {
    if (Reading* reading = readingOf(context)) releaseSpacing(context, *reading);
    xmlSAX2Reference(context, name);
}

void endElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri) {
    if (Reading* reading = readingOf(context)) settleSpacing(context, *reading, false);
    xmlSAX2EndElementNs(context, localName, prefix, uri);
}

// A document cut short leaves its open elements as they are: whitespace at the cut ends them.
void endDocument(void* context) {
    if (Reading* reading = readingOf(context)) settleSpacing(context, *reading, false);
    xmlSAX2EndDocument(context);
}

void startElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                  int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaultedCount,
                  const xmlChar** attributes) {
    Reading* reading = readingOf(context);
    if (reading != nullptr) settleSpacing(context, *reading, true);
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount,
                          defaultedCount, attributes);
    xmlNodePtr element = static_cast<xmlParserCtxtPtr>(context)->node;
    if (reading == nullptr || !reading->options->observeElement || reading->failure || element == nullptr ||
        element->type != XML_ELEMENT_NODE || !xmlStrEqual(element->name, localName) || element->parent == nullptr ||
        element->parent->type != XML_ELEMENT_NODE) {
        return;
    }
    try {
        reading->options->observeElement(element);
    } catch (...) {
        reading->failure = std::current_exception();
        xmlStopParser(reading->parser);
    }
}

// The parser sets its ID lookups from the options when it starts, so they are switched
// off here, after that and before the first attribute.
void startDocumentWithoutIDs(void* context) {
    xmlSAX2StartDocument(context);
    if (readingOf(context) != nullptr) static_cast<xmlParserCtxtPtr>(context)->loadsubset |= XML_SKIP_IDS;
}

}  // namespace

void installCallbacks(xmlParserCtxtPtr parser, Reading& reading) {
    reading.parser = parser;
    parser->_private = &reading;
    const XMLDocument::ParseOptions& options = *reading.options;
    xmlSAXHandler& sax = *parser->sax;
    if (options.observeElement || options.dropsSpacingIn) sax.startElementNs = startElement;
    if (!options.registersIDs) sax.startDocument = startDocumentWithoutIDs;
    if (options.dropsSpacingIn) {
        sax.characters = characters;
        sax.ignorableWhitespace = characters;
        sax.cdataBlock = cdataBlock;
        sax.comment = comment;
        sax.processingInstruction = processingInstruction;
        sax.reference = reference;
        sax.endElementNs = endElement;
        sax.endDocument = endDocument;
    }
}

}  // namespace tallyvane::detail
