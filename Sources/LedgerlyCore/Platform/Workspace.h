#pragma once

#include <filesystem>
#include <string>

namespace ledgerly {

// Hands URLs and files to the applications the user has chosen for them.
class Workspace {
public:
    Workspace() = default;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    virtual ~Workspace() = default;

    // Opens `urlString` with the system's handler for its scheme; a failure is not reported.
    virtual void openURL(const std::string& urlString) = 0;
    // Shows `file` selected in the file manager; its existence is not tested first.
    virtual void revealInFileManager(const std::filesystem::path& file) = 0;
};

}  // namespace ledgerly
