#include "LedgerlyCore/Menu/LocalFileURL.h"

#include "LedgerlyCore/Text/URLText.h"
#include "LedgerlyCore/Text/UnicodeText.h"
#include "LedgerlyCore/Text/UriReference.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace ledgerly {

bool isDirectoryFileURL(std::string_view urlString) {
    // Read as the opener reads it, so that a folder named in any script is one.
    const auto uri = text::parsedURL(urlString);
    if (!uri || text::lowercased(uri->scheme) != "file") {
        return false;
    }
    if (uri->path.ends_with('/')) {
        return true;
    }
    // A path that does not decode, or that would be cut short at a NUL, names nothing.
    const auto path = text::percentDecoded(uri->path);
    if (!path || path->empty() || path->find('\0') != std::string::npos) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_directory(*path, error);
}

}  // namespace ledgerly
