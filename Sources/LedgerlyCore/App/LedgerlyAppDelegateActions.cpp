// The menu's actions, the starter-file flow and the settings window.

#include "LedgerlyCore/App/LedgerlyAppDelegate.h"

#include "LedgerlyCore/App/StarterFile.h"
#include "LedgerlyCore/App/TextFiles.h"
#include "LedgerlyCore/Menu/MenuEntry.h"
#include "LedgerlyCore/Platform/Log.h"

#include <exception>
#include <string>

namespace ledgerly {
namespace {

OpenPanelOptions markdownOpenPanelOptions() {
    OpenPanelOptions options;
    options.allowedContentTypes = {
        ContentType{ContentType::PlainText{}},
        ContentType{ContentType::FilenameExtension{"md"}},
        ContentType{ContentType::FilenameExtension{"markdown"}},
    };
    options.allowsMultipleSelection = false;
    options.canChooseDirectories = false;
    options.canChooseFiles = true;
    options.prompt = "Choose";
    return options;
}

}  // namespace

void LedgerlyAppDelegate::openURLFromMenuItem(const MenuEntry& sender) {
    if (!sender.representedObject) {
        return;
    }
    // No current event counts as Option not held.
    const auto modifiers = services_.application.currentEventModifierFlags();
    if (modifiers && (*modifiers & MenuEntry::optionModifierMask) != 0) {
        services_.pasteboard.setString(*sender.representedObject);
        return;
    }
    urlOpener_.open(*sender.representedObject);
}

void LedgerlyAppDelegate::copyTextFromMenuItem(const MenuEntry& sender) { copyToPasteboard(sender); }

void LedgerlyAppDelegate::copyWarningFromMenuItem(const MenuEntry& sender) { copyToPasteboard(sender); }

void LedgerlyAppDelegate::refreshNow(const MenuEntry&) { refresh(); }

void LedgerlyAppDelegate::chooseMarkdownFile(const MenuEntry&) {
    const OpenPanelOptions options = markdownOpenPanelOptions();
    // The application has no taskbar entry: without this the panel may open behind others.
    services_.application.bringToFront();
    if (const auto chosen = services_.filePanels.runOpenPanel(options)) {
        selectFile(*chosen);
    }
}

void LedgerlyAppDelegate::saveStarterFile(const MenuEntry&) {
    std::string text;
    try {
        // Read before the panel, so that a missing template shows no panel.
        text = StarterFile::loadStarterMarkdown(services_.bundleResources, services_.currentDirectory);
    } catch (const std::exception& error) {
        logWarning(LogCategory::file, std::string("Starter file not loaded: ") + error.what());
        showStarterFileError("Could not load starter file.", error.what());
        return;
    }
    const SavePanelOptions options = StarterFile::savePanelOptions();
    services_.application.bringToFront();
    const auto destination = services_.filePanels.runSavePanel(options);
    if (!destination) {
        return;
    }
    try {
        writeUTF8TextFileAtomically(*destination, text);
    } catch (const std::exception& error) {
        logWarning(LogCategory::file, std::string("Starter file not saved: ") + error.what());
        showStarterFileError("Could not save starter file.", error.what());
        return;
    }
    selectFile(*destination);
}

void LedgerlyAppDelegate::revealMarkdownFile(const MenuEntry&) {
    if (const auto selectedFile = fileSource_.selectedFileURL()) {
        services_.workspace.revealInFileManager(*selectedFile);
    }
}

void LedgerlyAppDelegate::showAbout(const MenuEntry&) {
    services_.application.bringToFront();
    services_.application.showAboutDialog();
}

void LedgerlyAppDelegate::openSettings(const MenuEntry&) { showSettings(); }

void LedgerlyAppDelegate::quitApp(const MenuEntry&) { services_.application.terminate(); }

void LedgerlyAppDelegate::copyToPasteboard(const MenuEntry& sender) {
    if (sender.representedObject) {
        services_.pasteboard.setString(*sender.representedObject);
    }
}

void LedgerlyAppDelegate::selectFile(const std::filesystem::path& file) {
    fileSource_.setSelectedFileURL(file);
    followSelectedFile();
}

void LedgerlyAppDelegate::showStarterFileError(const std::string& message, const std::string& informativeText) {
    services_.alertPresenter.runWarningAlert(message, informativeText);
}

void LedgerlyAppDelegate::showSettings() {
    if (!services_.showSettingsWindow) {
        return;
    }
    if (!settingsViewModel_) {
        // Over the same store and controller that registered the shortcut at start-up.
        settingsViewModel_ = std::make_unique<SettingsViewModel>(settingsStore_, services_.makeLaunchAtLoginService(),
                                                                 hotKeyController());
    }
    settingsViewModel_->refresh();
    services_.showSettingsWindow(*settingsViewModel_);
    services_.application.bringToFront();
}

}  // namespace ledgerly
