#include "LedgerlyCore/Text/UriReference.h"

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

using namespace ledgerly::text;

TEST(UriReferenceParse, SplitsSchemePathAndQuery) {
    const auto mail = UriReference::parse("mailto:a%40example.com?subject=Hi");
    ASSERT_TRUE(mail);
    EXPECT_EQ("mailto", mail->scheme);
    EXPECT_EQ("a%40example.com", mail->path);
    EXPECT_TRUE(mail->hasQuery);
    EXPECT_FALSE(mail->host);

    const auto file = UriReference::parse("file:///home/ann/My%20Notes/");
    ASSERT_TRUE(file);
    EXPECT_EQ("file", file->scheme);
    EXPECT_EQ("/home/ann/My%20Notes/", file->path);
    EXPECT_FALSE(file->hasQuery);
}

TEST(UriReferenceParse, EmptyQueryStillCounts) {
    const auto uri = UriReference::parse("mailto:someone@example.com?");
    ASSERT_TRUE(uri);
    EXPECT_TRUE(uri->hasQuery);
}

TEST(UriReferenceParse, RefusesTextThatIsNoUri) {
    EXPECT_FALSE(UriReference::parse("a b"));
    EXPECT_FALSE(UriReference::parse("mailto:50%zzoff"));
    EXPECT_FALSE(UriReference::parse("http://exa mple.com"));
}

TEST(PercentDecoding, DecodesStrictly) {
    EXPECT_EQ("a@example.com", percentDecoded("a%40example.com"));
    EXPECT_EQ("a%40b", percentDecoded("a%2540b"));
    EXPECT_EQ("\u00E9", percentDecoded("%C3%A9"));
    EXPECT_FALSE(percentDecoded("50%off"));
    EXPECT_FALSE(percentDecoded("trailing%4"));
    EXPECT_FALSE(percentDecoded("trailing%"));
    EXPECT_FALSE(percentDecoded("%E9"));  // a Latin-1 byte is no UTF-8
}

}  // namespace
}  // namespace ledgerly::testing
