#include "LedgerlyCore/Text/UnicodeText.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

using namespace ledgerly::text;

// Text samples whose characters span several code points.
const std::string kCombiningE = "e\u0301";                                 // e + combining acute
const std::string kFlag = "\U0001F1E9\U0001F1EA";                          // regional indicators D E
const std::string kThumbsUpDark = "\U0001F44D\U0001F3FF";                  // emoji + skin tone
const std::string kFamily = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // ZWJ sequence

TEST(UnicodeTextCount, CountsGraphemeClustersNotBytesOrCodePoints) {
    struct Case {
        std::string text;
        std::size_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {"a\r\nb", 3},  // CR LF is one cluster
        {kCombiningE + "x", 2},
        {kFlag + kFlag, 2},
        {kThumbsUpDark, 1},
        {kFamily + "!", 2},
        {"\u65E5\u672C", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, characterCount(c.text)) << c.text;
    }
}

TEST(UnicodeTextSlices, PrefixAndSuffixNeverCutInsideACharacter) {
    const std::string text = "a" + kCombiningE + kFlag + kThumbsUpDark + "z";
    EXPECT_EQ("a" + kCombiningE, prefixCharacters(text, 2));
    EXPECT_EQ(kThumbsUpDark + "z", suffixCharacters(text, 2));
    EXPECT_EQ(text, prefixCharacters(text, 99));
    EXPECT_EQ(text, suffixCharacters(text, 99));
    EXPECT_EQ("", prefixCharacters(text, 0));
    EXPECT_EQ("", suffixCharacters(text, 0));
}

TEST(UnicodeTextSlices, HasMoreCharactersThanCountsClusters) {
    EXPECT_FALSE(hasMoreCharactersThan(kFamily + kFlag, 2));
    EXPECT_TRUE(hasMoreCharactersThan(kFamily + kFlag + "x", 2));
    EXPECT_FALSE(hasMoreCharactersThan("abc", 3));
    EXPECT_TRUE(hasMoreCharactersThan("abcd", 3));
}

TEST(UnicodeTextCase, LowercasesAsciiAndBeyond) {
    EXPECT_EQ("mailto:someone@example.com", lowercased("MAILTO:Someone@Example.com"));
    EXPECT_EQ("\u00E9t\u00E9", lowercased("\u00C9T\u00C9"));
}

TEST(UnicodeTextUTF8, ReportsTheFirstMalformedByte) {
    std::size_t offset = 99;
    EXPECT_TRUE(isValidUTF8("h\u00E9llo \U0001F44D", &offset));
    EXPECT_FALSE(
        isValidUTF8("ab\xE9"
                    "cd",
                    &offset));
    EXPECT_EQ(2u, offset);
    EXPECT_FALSE(isValidUTF8("\xED\xA0\x80", &offset));  // an encoded surrogate
    EXPECT_EQ(0u, offset);
    EXPECT_FALSE(isValidUTF8("ok\xC0\xAF", &offset));  // an overlong "/"
    EXPECT_EQ(2u, offset);
    EXPECT_FALSE(isValidUTF8("abc\xF0\x9F", &offset));  // truncated at the end
    EXPECT_EQ(3u, offset);
}

// Long texts are checked in blocks; a fault deep inside one, or at a block's edge, is found all the same.
TEST(UnicodeTextUTF8, LongTextsAreCheckedWhole) {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "caf\u00E9 \U0001F44D \u65E5\u672C ";
    }
    std::size_t offset = 0;
    EXPECT_TRUE(isValidUTF8(text, &offset));
    // Spaces near a 64-byte boundary and the last one: a stray byte there starts no other sequence.
    for (const std::size_t at : {text.find(' ', 60), text.find(' ', 64), text.rfind(' ')}) {
        std::string broken = text;
        broken[at] = '\xFF';
        EXPECT_FALSE(isValidUTF8(broken, &offset));
        EXPECT_EQ(at, offset);
    }
    std::string surrogate = std::string(100, 'a') + "\xED\xBF\xBF" + std::string(100, 'b');
    EXPECT_FALSE(isValidUTF8(surrogate, &offset));
    EXPECT_EQ(100u, offset);
}

}  // namespace
}  // namespace ledgerly::testing
