#include "LedgerlyCore/Menu/TitleShortening.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <algorithm>

namespace ledgerly {
namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::int64_t kEllipsisLength = 3;

std::size_t count(std::int64_t characters) { return static_cast<std::size_t>(std::max<std::int64_t>(characters, 0)); }

bool fits(std::string_view text, std::int64_t maximumCharacters) {
    return maximumCharacters >= 0 && !text::hasMoreCharactersThan(text, count(maximumCharacters));
}

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    return path;
}

}  // namespace

std::string makeDisplayTitle(std::string_view text, std::int64_t maximumCharacters) {
    if (fits(text, maximumCharacters)) {
        return std::string(text);
    }
    if (maximumCharacters <= kEllipsisLength) {
        return std::string(text::prefixCharacters(text, count(maximumCharacters)));
    }
    const std::int64_t keep = maximumCharacters - kEllipsisLength;
    const std::int64_t head = (keep + 1) / 2;
    const std::int64_t tail = keep - head;
    std::string result(text::prefixCharacters(text, count(head)));
    result += kEllipsis;
    result += text::suffixCharacters(text, count(tail));
    return result;
}

std::string truncatePath(std::string_view path, std::int64_t maximumCharacters) {
    if (fits(path, maximumCharacters)) {
        return std::string(path);
    }
    if (maximumCharacters <= kEllipsisLength) {
        return std::string(text::prefixCharacters(path, count(maximumCharacters)));
    }
    const std::string_view name = lastPathComponent(path);
    const std::int64_t keep = maximumCharacters - kEllipsisLength;
    if (static_cast<std::int64_t>(text::characterCount(name)) < keep) {
        std::string tail(1, '/');
        tail += name;
        const auto tailLength = static_cast<std::int64_t>(text::characterCount(tail));
        std::string result(text::prefixCharacters(path, count(keep - tailLength)));
        result += kEllipsis;
        result += tail;
        return result;
    }
    std::string result(kEllipsis);
    result += text::suffixCharacters(name, count(keep));
    return result;
}

std::string_view lastPathComponent(std::string_view path) {
    const std::string_view trimmed = withoutTrailingSlashes(path);
    if (trimmed.empty() && !path.empty()) {
        return "/";
    }
    const std::size_t slash = trimmed.rfind('/');
    return slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string abbreviatingWithTildeInPath(std::string_view path, std::string_view homeFolder) {
    const std::string_view home = withoutTrailingSlashes(homeFolder);
    if (home.empty() || !path.starts_with(home)) {
        return std::string(path);
    }
    const std::string_view rest = path.substr(home.size());
    if (!rest.empty() && rest.front() != '/') {
        return std::string(path);  // "/home/ann2" is not inside "/home/ann"
    }
    std::string abbreviated(1, '~');
    abbreviated += rest;
    return abbreviated;
}

}  // namespace ledgerly
