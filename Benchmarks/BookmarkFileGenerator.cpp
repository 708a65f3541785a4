#include "BookmarkFileGenerator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace ledgerly::bench {
namespace {

// A fixed pseudo-random sequence (SplitMix64), so every run parses the same text.
class Random {
public:
    explicit Random(std::uint64_t state) : state_(state) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

constexpr std::array<const char*, 12> kWords = {"alpha",     "notes", "deploy", "calendar", "project", "weekly",
                                                "reference", "docs",  "status", "team",     "archive", "reading"};
// Accented letters written with combining marks, emoji with skin-tone
// modifiers and ZWJ sequences, CJK, and a no-break space.
constexpr std::array<const char*, 8> kNonASCIIWords = {"Cafe\u0301",
                                                       "Zu\u0308rich",
                                                       "\U0001F44D\U0001F3FD",
                                                       "\u65E5\u672C\u8A9E",
                                                       "\uD55C\uAD6D\uC5B4",
                                                       "n\u0303andu",
                                                       "\U0001F468\u200D\U0001F469\u200D\U0001F467",
                                                       "na\u00A0ve"};

class BookmarkFileGenerator {
public:
    BookmarkFileGenerator(std::uint64_t sequence, unsigned nonASCIIPercent)
        : random_(sequence), nonASCIIPercent_(nonASCIIPercent) {}

    std::string generate(std::size_t targetBytes) {
        std::string text = "---\ntags: generated\n---\n# Generated bookmarks\n";
        while (text.size() < targetBytes) {
            appendLine(text);
        }
        return text;
    }

private:
    std::string words(std::size_t count) {
        const bool nonASCII = random_.chance(nonASCIIPercent_);
        std::string result;
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) {
                result += ' ';
            }
            result += nonASCII && random_.chance(40) ? kNonASCIIWords[random_.below(kNonASCIIWords.size())]
                                                     : kWords[random_.below(kWords.size())];
        }
        return result;
    }

    // Mostly short titles, sometimes long ones so that excerpts get cut.
    std::size_t wordCount() { return random_.chance(10) ? 14 + random_.below(10) : 1 + random_.below(4); }

    std::string url() {
        std::string result = random_.chance(50) ? "https://" : "";
        result += kWords[random_.below(kWords.size())];
        result += ".example.com/";
        const std::size_t segments = random_.chance(15) ? 12 : 1 + random_.below(3);
        for (std::size_t i = 0; i < segments; ++i) {
            result += kWords[random_.below(kWords.size())];
            result += '/';
        }
        return result;
    }

    void appendLine(std::string& text) {
        const std::size_t kind = random_.below(100);
        if (kind < 6) {
            text += std::string(2 + random_.below(7), '#') + ' ' + words(1 + random_.below(3)) + '\n';
        } else if (kind < 8) {
            text += std::string(2 + random_.below(2), '#') + '\n';
        } else if (kind < 38) {
            const char* emphasis[] = {"", "*", "**"};
            const char* marker = emphasis[random_.below(3)];
            text += std::string("- ") + marker + '[' + words(wordCount()) + "](" + url() + ')' + marker + '\n';
        } else if (kind < 50) {
            text += "- " + url() + '\n';
        } else if (kind < 62) {
            text += "- " + words(wordCount()) + '\n';
        } else if (kind < 68) {
            text += "- " + words(2) + "\n  > " + words(wordCount()) + "\n  > " + words(3) + '\n';
        } else if (kind < 72) {
            text += "**" + words(2) + "**\n";
        } else if (kind < 75) {
            text += "---\n";
        } else if (kind < 78) {
            text += "- " + std::string(kWords[random_.below(kWords.size())]) + "@example.org\n";
        } else if (kind < 80) {
            text += "<!-- " + words(3) + " -->\n";
        } else if (kind < 90) {
            text += "\n";
        } else {
            text += words(wordCount()) + '\n';  // unsupported: prose outside a list
        }
    }

    Random random_;
    unsigned nonASCIIPercent_;
};

}  // namespace

std::string generateBookmarkFile(BookmarkFileKind kind) {
    constexpr std::size_t kSmall = 1 << 20;
    constexpr std::size_t kLarge = 16 << 20;
    switch (kind) {
    case BookmarkFileKind::ascii1MB:
        return BookmarkFileGenerator(1, 2).generate(kSmall);
    case BookmarkFileKind::ascii16MB:
        return BookmarkFileGenerator(2, 2).generate(kLarge);
    case BookmarkFileKind::mixed1MB:
        return BookmarkFileGenerator(3, 38).generate(kSmall);
    case BookmarkFileKind::mixed16MB:
        break;
    }
    return BookmarkFileGenerator(4, 38).generate(kLarge);
}

bool bookmarkFileKindNamed(std::string_view name, BookmarkFileKind& kind) {
    constexpr std::array<std::pair<std::string_view, BookmarkFileKind>, 4> kNames = {{
        {"ascii-1MB", BookmarkFileKind::ascii1MB},
        {"ascii-16MB", BookmarkFileKind::ascii16MB},
        {"mixed-1MB", BookmarkFileKind::mixed1MB},
        {"mixed-16MB", BookmarkFileKind::mixed16MB},
    }};
    for (const auto& [known, value] : kNames) {
        if (known == name) {
            kind = value;
            return true;
        }
    }
    return false;
}

}  // namespace ledgerly::bench
