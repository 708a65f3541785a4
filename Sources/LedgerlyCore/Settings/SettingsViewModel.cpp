#include "LedgerlyCore/Settings/SettingsViewModel.h"

#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyCore/Settings/GlobalHotKeyError.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace ledgerly {

SettingsViewModel::SettingsViewModel(LedgerlySettingsStore& settingsStore,
                                     std::unique_ptr<LaunchAtLoginServicing> launchAtLoginService,
                                     GlobalHotKeyController& hotKeyController)
    : settingsStore_(settingsStore),
      launchAtLoginService_(std::move(launchAtLoginService)),
      hotKeyController_(hotKeyController) {
    loadFromServices();
}

void SettingsViewModel::refresh() {
    loadFromServices();
    notifyObservers();
}

void SettingsViewModel::setLaunchAtLoginEnabled(bool enabled) {
    bool failed = false;
    try {
        launchAtLoginService_->setEnabled(enabled);
    } catch (const std::exception& error) {
        // The window shows a fixed message; the reason is only here.
        logWarning(LogCategory::settings, std::string("Launch at login was not changed: ") + error.what());
        failed = true;
    }
    // What the system reports now, not what was asked for.
    launchAtLoginEnabled_ = launchAtLoginService_->isEnabled();
    try {
        settingsStore_.setLaunchAtLoginRequested(launchAtLoginEnabled_);
    } catch (const std::exception&) {
        // Called from a Qt slot, where an escaping exception ends the process.
        failed = true;
    }
    launchAtLoginError_ = failed ? std::optional<std::string>(launchAtLoginFailureMessage) : std::nullopt;
    notifyObservers();
}

void SettingsViewModel::setShortcut(const KeyboardShortcut& shortcut) {
    try {
        hotKeyController_.update(shortcut, GlobalHotKeyController::Activation::enabled);
        globalShortcut_ = shortcut;
        globalShortcutEnabled_ = true;
        globalShortcutError_ = std::nullopt;
    } catch (const std::exception& error) {
        // The controller stores only what the system accepted: the store still holds the old values.
        globalShortcut_ = settingsStore_.globalShortcut();
        globalShortcutEnabled_ = settingsStore_.isGlobalShortcutEnabled();
        const auto* hotKeyError = dynamic_cast<const GlobalHotKeyError*>(&error);
        globalShortcutError_ = hotKeyError != nullptr ? hotKeyError->errorDescription()
                                                      : GlobalHotKeyError::registrationFailed(0).errorDescription();
    }
    notifyObservers();
}

void SettingsViewModel::disableShortcut() {
    try {
        hotKeyController_.disable();
        globalShortcutEnabled_ = false;
        globalShortcutError_ = std::nullopt;
    } catch (const std::exception&) {
        // The settings file could not be written: show what the store really holds.
        globalShortcutEnabled_ = settingsStore_.isGlobalShortcutEnabled();
        globalShortcutError_ = GlobalHotKeyError::registrationFailed(0).errorDescription();
    }
    notifyObservers();
}

SettingsViewModel::ObserverToken SettingsViewModel::addObserver(Observer observer) {
    const ObserverToken token = nextObserverToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void SettingsViewModel::removeObserver(ObserverToken token) { observers_.erase(token); }

void SettingsViewModel::loadFromServices() {
    launchAtLoginEnabled_ = launchAtLoginService_->isEnabled();
    globalShortcut_ = settingsStore_.globalShortcut();
    globalShortcutEnabled_ = settingsStore_.isGlobalShortcutEnabled();
    globalShortcutError_ = hotKeyController_.lastErrorMessage();
}

void SettingsViewModel::notifyObservers() {
    // Observers may add or remove observers while being notified: walk a
    // snapshot of the tokens and skip those removed meanwhile.
    std::vector<ObserverToken> tokens;
    tokens.reserve(observers_.size());
    for (const auto& entry : observers_) {
        tokens.push_back(entry.first);
    }
    for (const ObserverToken token : tokens) {
        if (const auto found = observers_.find(token); found != observers_.end()) {
            const Observer observer = found->second;
            observer();
        }
    }
}

}  // namespace ledgerly
