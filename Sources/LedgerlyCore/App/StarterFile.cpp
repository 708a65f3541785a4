#include "LedgerlyCore/App/StarterFile.h"

#include "LedgerlyCore/App/StarterFileError.h"
#include "LedgerlyCore/App/TextFiles.h"

#include <system_error>

namespace ledgerly {
namespace {

bool existsAt(const std::filesystem::path& path) {
    // Follows symbolic links, so a dangling link counts as nothing there.
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

std::vector<std::filesystem::path> StarterFile::templateCandidates(const BundleResources& bundle,
                                                                   const std::filesystem::path& currentDirectory) {
    std::vector<std::filesystem::path> candidates;
    for (const char* extension : {"ledgerly.md", "md"}) {
        if (auto path = bundle.pathForResource("starter", extension)) {
            candidates.push_back(std::move(*path));
        }
    }
    candidates.push_back(currentDirectory / "Samples" / "starter.ledgerly.md");
    return candidates;
}

std::string StarterFile::loadStarterMarkdown(const BundleResources& bundle,
                                             const std::filesystem::path& currentDirectory) {
    for (const auto& candidate : templateCandidates(bundle, currentDirectory)) {
        if (existsAt(candidate)) {
            return readUTF8TextFile(candidate);
        }
    }
    throw StarterFileError::templateMissing();
}

SavePanelOptions StarterFile::savePanelOptions() {
    SavePanelOptions options;
    options.allowedContentTypes = {
        ContentType{ContentType::FilenameExtension{"md"}},
        ContentType{ContentType::FilenameExtension{"markdown"}},
        ContentType{ContentType::PlainText{}},
    };
    options.canCreateDirectories = true;
    options.nameFieldStringValue = "starter.ledgerly.md";
    options.title = "Save Starter File";
    options.message = "Save Ledgerly's starter Markdown file somewhere you own.";
    options.prompt = "Save";
    return options;
}

}  // namespace ledgerly
