#include "LedgerlyCore/Menu/RefreshOutcome.h"

#include "LedgerlyCore/Menu/TitleShortening.h"

namespace ledgerly {
namespace {

using State = LedgerlyMenuState;

State stateForError(const FileSourceError& error) {
    if (const auto* unreadable = std::get_if<FileSourceError::UnreadableSelectedFile>(&error.value)) {
        return State{State::SelectedFileUnreadable{unreadable->reason}};
    }
    if (std::holds_alternative<FileSourceError::SelectedFileNotFound>(error.value)) {
        return State{State::SelectedFileNotFound{}};
    }
    return State{State::NoFileSelected{}};
}

RefreshOutcome outcomeForText(const std::string& text, const std::optional<std::filesystem::path>& selectedFileURL,
                              const RefreshOutcome::Parse& parse) {
    LedgerlyDocument document = parse(text);
    // The title is shown as written; only an absent or empty one falls back.
    std::string title =
        document.title && !document.title->empty() ? *document.title : selectedFileFallbackTitle(selectedFileURL);
    return RefreshOutcome{State{State::Document{std::move(document)}}, std::move(title)};
}

RefreshOutcome outcomeForError(const FileSourceError& error,
                               const std::optional<std::filesystem::path>& selectedFileURL) {
    State state = stateForError(error);
    const bool nothingSelected = std::holds_alternative<State::NoFileSelected>(state.value);
    return RefreshOutcome{std::move(state), nothingSelected ? "Ledgerly" : selectedFileFallbackTitle(selectedFileURL)};
}

RefreshOutcome outcomeForOtherFailure(const std::optional<std::filesystem::path>& selectedFileURL) {
    State state{State::Unavailable{std::string(warningMessage(ParserWarningCode::unreadableFile)),
                                   {ParserWarning::make(0, ParserWarningCode::unreadableFile, std::nullopt)}}};
    return RefreshOutcome{std::move(state), selectedFileFallbackTitle(selectedFileURL)};
}

// The name without its extension: the text after the last ".", unless that
// "." starts the name (".profile" keeps its name).
std::string_view withoutExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return name;
    }
    return name.substr(0, dot);
}

}  // namespace

RefreshOutcome RefreshOutcome::make(const LoadResult& result,
                                    const std::optional<std::filesystem::path>& selectedFileURL, const Parse& parse) {
    if (const auto* text = std::get_if<std::string>(&result)) {
        return outcomeForText(*text, selectedFileURL, parse);
    }
    if (const auto* error = std::get_if<FileSourceError>(&result)) {
        return outcomeForError(*error, selectedFileURL);
    }
    return outcomeForOtherFailure(selectedFileURL);
}

RefreshOutcome RefreshOutcome::load(const Load& load, const std::optional<std::filesystem::path>& selectedFileURL,
                                    const Parse& parse) {
    LoadResult result = OtherLoadFailure{};
    try {
        result = load();
    } catch (const FileSourceError& error) {
        result = error;
    } catch (...) {
        // Any other failure is shown in the menu, never passed on.
        result = OtherLoadFailure{};
    }
    return make(result, selectedFileURL, parse);
}

std::string selectedFileFallbackTitle(const std::optional<std::filesystem::path>& selectedFileURL) {
    if (!selectedFileURL) {
        return "Ledgerly";
    }
    return std::string(withoutExtension(lastPathComponent(selectedFileURL->string())));
}

}  // namespace ledgerly
