#include "LedgerlyCore/Menu/RefreshOutcome.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ledgerly::testing {
namespace {

using State = LedgerlyMenuState;

const std::filesystem::path kLinks = "/home/ann/Links.md";

// Stands in for the parser: the text becomes the title, or no title when it is "-".
LedgerlyDocument titleFromText(std::string_view text) {
    LedgerlyDocument document;
    if (text != "-") {
        document.title = std::string(text);
    }
    return document;
}

LedgerlyDocument documentTitled(std::optional<std::string> title) {
    LedgerlyDocument document;
    document.title = std::move(title);
    return document;
}

FileSourceError unreadable(FileReadFailureReason reason) {
    return FileSourceError{FileSourceError::UnreadableSelectedFile{reason}};
}

TEST(RefreshOutcomeTable, EachLoadResultGivesItsStateAndTitle) {
    const State unavailable{State::Unavailable{
        "Could not read selected file", {ParserWarning::make(0, ParserWarningCode::unreadableFile, std::nullopt)}}};
    struct Case {
        RefreshOutcome::LoadResult result;
        std::optional<std::filesystem::path> url;
        RefreshOutcome expected;
    };
    const Case cases[] = {
        {std::string("My Links"), kLinks, {State{State::Document{documentTitled("My Links")}}, "My Links"}},
        {std::string(" spaced "), kLinks, {State{State::Document{documentTitled(" spaced ")}}, " spaced "}},
        {std::string(""), kLinks, {State{State::Document{documentTitled("")}}, "Links"}},
        {std::string("-"), kLinks, {State{State::Document{documentTitled(std::nullopt)}}, "Links"}},
        {std::string("-"), std::nullopt, {State{State::Document{documentTitled(std::nullopt)}}, "Ledgerly"}},
        {FileSourceError{FileSourceError::NoSelectedFile{}},
         std::nullopt,
         {State{State::NoFileSelected{}}, "Ledgerly"}},
        {FileSourceError{FileSourceError::NoSelectedFile{}}, kLinks, {State{State::NoFileSelected{}}, "Ledgerly"}},
        {FileSourceError{FileSourceError::SelectedFileNotFound{}},
         kLinks,
         {State{State::SelectedFileNotFound{}}, "Links"}},
        {unreadable(FileReadFailureReason::permissionDenied),
         kLinks,
         {State{State::SelectedFileUnreadable{FileReadFailureReason::permissionDenied}}, "Links"}},
        {unreadable(FileReadFailureReason::invalidUTF8),
         kLinks,
         {State{State::SelectedFileUnreadable{FileReadFailureReason::invalidUTF8}}, "Links"}},
        {unreadable(FileReadFailureReason::unknown),
         kLinks,
         {State{State::SelectedFileUnreadable{FileReadFailureReason::unknown}}, "Links"}},
        {RefreshOutcome::OtherLoadFailure{}, kLinks, {unavailable, "Links"}},
        {RefreshOutcome::OtherLoadFailure{}, std::nullopt, {unavailable, "Ledgerly"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, RefreshOutcome::make(c.result, c.url, titleFromText)) << c.expected.statusTitle;
    }
}

TEST(RefreshOutcomeTable, ParserIsCalledOnlyForText) {
    int calls = 0;
    const auto counting = [&calls](std::string_view text) {
        ++calls;
        return titleFromText(text);
    };
    RefreshOutcome::make(FileSourceError{FileSourceError::SelectedFileNotFound{}}, kLinks, counting);
    RefreshOutcome::make(RefreshOutcome::OtherLoadFailure{}, kLinks, counting);
    EXPECT_EQ(0, calls);
    RefreshOutcome::make(std::string("x"), kLinks, counting);
    EXPECT_EQ(1, calls);
}

TEST(RefreshOutcomeLoad, ThrownErrorsBecomeTheirStates) {
    const auto throwing = [](auto error) { return [error]() -> std::string { throw error; }; };
    EXPECT_EQ(
        State{State::SelectedFileNotFound{}},
        RefreshOutcome::load(throwing(FileSourceError{FileSourceError::SelectedFileNotFound{}}), kLinks, titleFromText)
            .menuState);
    EXPECT_EQ("Links",
              RefreshOutcome::load(throwing(std::runtime_error("disk on fire")), kLinks, titleFromText).statusTitle);
    EXPECT_TRUE(std::holds_alternative<State::Unavailable>(
        RefreshOutcome::load(throwing(42), kLinks, titleFromText).menuState.value));
    EXPECT_EQ("Read", RefreshOutcome::load([] { return std::string("Read"); }, kLinks, titleFromText).statusTitle);
}

TEST(SelectedFileFallbackTitle, DropsTheExtensionOfTheLastComponent) {
    struct Case {
        std::optional<std::filesystem::path> url;
        std::string expected;
    };
    const Case cases[] = {
        {std::nullopt, "Ledgerly"},
        {"/Users/me/Links.md", "Links"},
        {"/Users/me/reading.list.md", "reading.list"},
        {"/Users/me/notes", "notes"},
        {"/Users/me/.profile", ".profile"},
        {"/Users/me/.profile.md", ".profile"},
        {"/Users/me/a.", "a"},
        {"/Users/me.d/notes", "notes"},
        {"/Users/me/Links.md/", "Links"},
        {"/", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, selectedFileFallbackTitle(c.url)) << (c.url ? c.url->string() : "none");
    }
}

}  // namespace
}  // namespace ledgerly::testing
