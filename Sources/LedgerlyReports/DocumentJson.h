#pragma once

#include "LedgerlyCore/Files/FileSourceError.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The JSON form of a parsed document, as `ledgerly-check --json` prints it.
// Absent optionals are written as null, never left out.
namespace ledgerly::reports {

// {"title", "items", "warnings"}
nlohmann::ordered_json documentToJson(const LedgerlyDocument& document);

// One entry, tagged by "type": link, snippet, submenu, sectionLabel or divider.
nlohmann::ordered_json menuNodeToJson(const MenuNode& node);

// {"line", "message", "sourceExcerpt"}
nlohmann::ordered_json warningToJson(const ParserWarning& warning);

// {"case", "reason"}; "reason" is null unless the file was unreadable.
nlohmann::ordered_json fileSourceErrorToJson(const FileSourceError& error);

// {"file", "document", "error"}: exactly one of document and error is non-null.
nlohmann::ordered_json fileReportToJson(const std::string& file, const std::optional<LedgerlyDocument>& document,
                                        const std::optional<FileSourceError>& error);

}  // namespace ledgerly::reports
