#pragma once

#include <QString>

#include <filesystem>

namespace ledgerly::testing {

// A path of a test's folder as the shell's Qt interfaces take it.
inline QString qtPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace ledgerly::testing
