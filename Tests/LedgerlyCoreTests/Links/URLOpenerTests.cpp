#include "LedgerlyCore/Links/URLOpener.h"
#include "Support/FakeWorkspace.h"
#include "Support/RecordingLogSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

TEST(URLOpenerOpen, HandsURLsToTheWorkspaceUnchanged) {
    const std::string urls[] = {
        "https://example.com",
        "HTTPS://Example.COM/Path?q=1#frag",
        "http://example.com/a%20b",
        "mailto:ann@example.com?subject=Hi",
        "file:///home/ann/My%20Documents/",
        "file:///",
        "obsidian://open?vault=notes&file=x",
        "x-custom+scheme.v1:anything",
        "tel:+1-555-0100",
        "urn:isbn:0451450523",
        "https://[2001:db8::1]:8443/",
    };
    for (const auto& url : urls) {
        FakeWorkspace workspace;
        URLOpener opener(workspace);
        opener.open(url);
        EXPECT_EQ((std::vector<std::string>{url}), workspace.openedURLs) << url;
    }
}

struct OpenedCase {
    const char* written;
    const char* opened;  // nullptr: refused
};

// What the workspace is handed for a link written as people write them.
TEST(URLOpenerOpen, EscapesWhatAURLMayNotHoldAndRefusesWhatIsStillNoURL) {
    const OpenedCase cases[] = {
        {"https://fr.wikipedia.org/wiki/Café", "https://fr.wikipedia.org/wiki/Caf%C3%A9"},
        {"https://example.com/search?q=naïve", "https://example.com/search?q=na%C3%AFve"},
        {"https://example.com/page#Überblick", "https://example.com/page#%C3%9Cberblick"},
        {"https://münchen.example/x", "https://xn--mnchen-3ya.example/x"},
        {"https://MÜNCHEN.example:8080/x", "https://xn--mnchen-3ya.example:8080/x"},
        {"https://example.com/a|b?q={x}", "https://example.com/a%7Cb?q=%7Bx%7D"},
        {"https://example.com/a^b/list[1]", "https://example.com/a%5Eb/list%5B1%5D"},
        {"https://example.com/<tag>\"", "https://example.com/%3Ctag%3E%22"},
        {"https://example.com/50%off", "https://example.com/50%25off"},
        {"https://example.com/%zz", "https://example.com/%25zz"},
        {"https://example.com/a%20b%C3%A9", "https://example.com/a%20b%C3%A9"},
        {"https://example.com/#a#b", "https://example.com/#a%23b"},
        {"https://jörg@example.com/", "https://j%C3%B6rg@example.com/"},
        {"mailto:José@example.com?subject=Déjà", "mailto:Jos%C3%A9@example.com?subject=D%C3%A9j%C3%A0"},
        {"file:///srv/partage/Données/", "file:///srv/partage/Donn%C3%A9es/"},
        {"", nullptr},
        {"example.com", nullptr},
        {"/home/ann/links.md", nullptr},
        {"//example.com/path", nullptr},
        {"not a url", nullptr},
        {" https://example.com", nullptr},
        {"1http://example.com", nullptr},
        {"ht tp://example.com", nullptr},
        {"https://exa mple.com", nullptr},
        {"https://example.com:80a/", nullptr},
        {"https://[::1/", nullptr},
        {"https://mün chen.example/", nullptr},
    };
    for (const auto& c : cases) {
        FakeWorkspace workspace;
        URLOpener opener(workspace);
        opener.open(c.written);
        const auto expected = c.opened ? std::vector<std::string>{c.opened} : std::vector<std::string>{};
        EXPECT_EQ(expected, workspace.openedURLs) << c.written;
    }
}

TEST(URLOpenerOpen, RefusalIsLoggedOnceNamingTheText) {
    const testing::RecordingLogSink log;
    FakeWorkspace workspace;
    URLOpener opener(workspace);
    opener.open("https://exa mple.com");
    opener.open("https://example.com/Café");
    ASSERT_EQ(1u, log.lines.size());
    EXPECT_NE(std::string::npos, log.lines[0].find("ledgerly.menu warning: ")) << log.lines[0];
    EXPECT_NE(std::string::npos, log.lines[0].find("\"https://exa mple.com\"")) << log.lines[0];
}

TEST(URLOpenerOpen, RefusalLeavesTheOpenerUsable) {
    FakeWorkspace workspace;
    URLOpener opener(workspace);
    opener.open("not a url");
    opener.open("https://example.com");
    EXPECT_EQ((std::vector<std::string>{"https://example.com"}), workspace.openedURLs);
}

}  // namespace
}  // namespace ledgerly::testing
