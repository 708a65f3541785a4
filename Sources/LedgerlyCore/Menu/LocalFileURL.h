#pragma once

#include <string_view>

namespace ledgerly {

// Whether `urlString` is a file URL naming a folder: a path ending in "/"
// counts without looking; otherwise the file system is asked (links followed).
bool isDirectoryFileURL(std::string_view urlString);

}  // namespace ledgerly
