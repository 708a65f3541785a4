#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ledgerly {

// The whole file at `path`, which must be well-formed UTF-8, read as the
// bookmark file is (UTF8FileRead). Throws TextFileError.
std::string readUTF8TextFile(const std::filesystem::path& path);

// Writes `text` to `path` so that the path holds either its old content or
// all of `text`, never a part: a temporary file in the same folder is written,
// flushed to disk and renamed onto the path. A file that is replaced keeps its
// permissions. On failure the temporary file is removed and TextFileError is thrown.
void writeUTF8TextFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace ledgerly
