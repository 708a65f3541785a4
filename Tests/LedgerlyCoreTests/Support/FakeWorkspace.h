#pragma once

#include "LedgerlyCore/Platform/Workspace.h"
#include "Support/CallLog.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ledgerly::testing {

// Records the URLs it is asked to open and the files to reveal.
class FakeWorkspace final : public Workspace {
public:
    explicit FakeWorkspace(CallLog* log = nullptr) : log_(log) {}

    void openURL(const std::string& urlString) override;
    void revealInFileManager(const std::filesystem::path& file) override;

    std::vector<std::string> openedURLs;
    std::vector<std::filesystem::path> revealedFiles;

private:
    CallLog* log_;
};

}  // namespace ledgerly::testing
