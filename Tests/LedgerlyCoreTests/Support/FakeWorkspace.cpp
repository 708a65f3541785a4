#include "Support/FakeWorkspace.h"

namespace ledgerly::testing {

void FakeWorkspace::openURL(const std::string& urlString) {
    recordCall(log_, "workspace.openURL " + urlString);
    openedURLs.push_back(urlString);
}

void FakeWorkspace::revealInFileManager(const std::filesystem::path& file) {
    recordCall(log_, "workspace.revealInFileManager " + file.string());
    revealedFiles.push_back(file);
}

}  // namespace ledgerly::testing
