#pragma once

#include <filesystem>
#include <string_view>

namespace ledgerly {

// Writes `bytes` to `path` so that the path holds either its old content or
// all of `bytes`, never a part: a temporary file in the same folder is
// written, flushed to disk and renamed onto the path. A file that is replaced
// keeps its permissions. Returns 0, or the errno of the step that failed, in
// which case the temporary file is gone.
int replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace ledgerly
