#include "LedgerlyCore/Links/URLOpener.h"
#include "Support/FakeWorkspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ledgerly {
namespace {

using testing::FakeWorkspace;

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

TEST(URLOpenerOpen, RefusesStringsThatAreNoURL) {
    const std::string strings[] = {
        "",
        "example.com",
        "www.example.com/path",
        "/home/ann/links.md",
        "//example.com/path",
        "?query",
        "#fragment",
        "https://exa mple.com",
        " https://example.com",
        "https://example.com/%zz",
        "https://example.com/caf\xC3\xA9",
        "1http://example.com",
        "ht tp://example.com",
        "https://example.com/<tag>",
        "not a url",
    };
    for (const auto& text : strings) {
        FakeWorkspace workspace;
        URLOpener opener(workspace);
        opener.open(text);
        EXPECT_TRUE(workspace.openedURLs.empty()) << text;
    }
}

TEST(URLOpenerOpen, RefusalLeavesTheOpenerUsable) {
    FakeWorkspace workspace;
    URLOpener opener(workspace);
    opener.open("not a url");
    opener.open("https://example.com");
    EXPECT_EQ((std::vector<std::string>{"https://example.com"}), workspace.openedURLs);
}

TEST(URLOpenerOpen, WorksThroughTheOpeningInterface) {
    FakeWorkspace workspace;
    const std::unique_ptr<URLOpening> opener = std::make_unique<URLOpener>(workspace);
    opener->open("mailto:ann@example.com");
    EXPECT_EQ((std::vector<std::string>{"mailto:ann@example.com"}), workspace.openedURLs);
}

}  // namespace
}  // namespace ledgerly
