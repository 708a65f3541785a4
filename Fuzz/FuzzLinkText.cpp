// The small text decisions of the menu on arbitrary strings: the URL a link
// opens, the bare address a mail link copies, whether a file URL names a
// folder, and the shortening of titles and paths, whose results must fit
// their limits in characters.
#include "FuzzSupport.h"

#include "LedgerlyCore/Menu/LocalFileURL.h"
#include "LedgerlyCore/Menu/TitleShortening.h"
#include "LedgerlyCore/Models/BookmarkModel.h"
#include "LedgerlyCore/Text/URLText.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <cstdint>
#include <string>

namespace ledgerly::fuzz {
namespace {

bool beginsWithMailto(std::string_view text) { return text::lowercased(text.substr(0, 7)) == "mailto:"; }

void checkCopyPayload(const std::string& url) {
    for (const LinkActionFamily family : {LinkActionFamily::mailCompose, LinkActionFamily::web}) {
        const BookmarkLink link{"title", url, LinkEmphasis::none, LinkSource::named, family};
        const std::string payload = link.alternateCopyPayload();
        if (family != LinkActionFamily::mailCompose || !beginsWithMailto(url)) {
            check(payload == url, "only a mailto: mail link copies anything but its URL");
        } else if (payload != url) {
            check(!payload.empty(), "a mail address is never empty");
            check(text::isValidUTF8(payload), "a decoded mail address is UTF-8");
        }
    }
}

void checkEncodedURL(const std::string& text) {
    const auto url = text::encodedURL(text);
    if (!url) {
        return;
    }
    for (const char c : *url) {
        check(static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F,
              "an encoded URL is printable ASCII");
    }
    check(text::encodedURL(*url) == url, "encoding an encoded URL changes nothing");
}

void checkDirectoryTest(const std::string& url) {
    if (isDirectoryFileURL(url)) {
        check(text::lowercased(url.substr(0, 5)) == "file:", "only a file URL names a folder");
    }
}

// Both shortenings: unchanged when the text fits, never over the limit.
void checkShortening(const std::string& input, std::int64_t limit) {
    const bool utf8 = text::isValidUTF8(input);
    const auto allowed = static_cast<std::size_t>(std::max<std::int64_t>(limit, 0));
    const bool fits = limit >= 0 && text::characterCount(input) <= allowed;
    for (const std::string& result : {makeDisplayTitle(input, limit), truncatePath(input, limit)}) {
        if (fits) {
            check(result == input, "a text within the limit stays as it is");
        }
        if (utf8) {
            check(text::isValidUTF8(result), "shortened UTF-8 stays UTF-8");
            check(text::characterCount(result) <= allowed, "a shortened text fits its limit");
        }
    }
}

}  // namespace
}  // namespace ledgerly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ledgerly;
    fuzz::InputReader reader(data, size);
    // Limits from -8 to 119: the menu's own (32 to 70), the tiny ones and the nonsensical ones.
    const std::int64_t limit = static_cast<std::int64_t>(reader.byte() % 128) - 8;
    const std::string input(reader.rest());
    fuzz::checkEncodedURL(input);
    fuzz::checkCopyPayload(input);
    fuzz::checkDirectoryTest(input);
    fuzz::checkShortening(input, limit);
    return 0;
}
