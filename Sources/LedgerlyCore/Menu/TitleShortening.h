#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How titles and paths are shortened for the menu. Every length is in
// user-perceived characters; the ellipsis is three full stops.
namespace ledgerly {

// `text` cut in the middle to at most `maximumCharacters`, the larger half in front.
std::string makeDisplayTitle(std::string_view text, std::int64_t maximumCharacters);

// `path` shortened to at most `maximumCharacters` so that its file name stays visible.
std::string truncatePath(std::string_view path, std::int64_t maximumCharacters);

// The text after the last "/", trailing slashes ignored; "/" for a path of slashes only.
std::string_view lastPathComponent(std::string_view path);

// `path` with `homeFolder` at its start written as "~". Only a whole leading
// component matches; nothing changes when the home folder is "" or "/".
std::string abbreviatingWithTildeInPath(std::string_view path, std::string_view homeFolder);

}  // namespace ledgerly
