// The parser on arbitrary bytes: it never fails, and what it gives keeps the
// document's invariants.
#include "DocumentChecks.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ledgerly;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MarkdownParser parser;
    const LedgerlyDocument document = parser.parse(text);
    fuzz::checkDocument(document, text);
    fuzz::check(document == parser.parse(text), "parsing the same text twice gives the same document");
    fuzz::check(document.warnings == parser.parse(text, MarkdownParser::Keep::warningsOnly).warnings,
                "a parse for the warnings alone finds the same warnings");
    return 0;
}
