#include "LedgerlyCore/Settings/GlobalHotKeyController.h"

#include "LedgerlyCore/Platform/Log.h"
#include "LedgerlyCore/Settings/GlobalHotKeyError.h"

#include <exception>
#include <string>
#include <utility>

namespace ledgerly {

GlobalHotKeyController::GlobalHotKeyController(LedgerlySettingsStore& settingsStore,
                                               std::unique_ptr<HotKeyRegistering> registrar, Handler handler)
    : settingsStore_(settingsStore), registrar_(std::move(registrar)), handler_(std::move(handler)) {}

GlobalHotKeyController::~GlobalHotKeyController() { dropRegistration(); }

void GlobalHotKeyController::start() { applyStoredShortcut(); }

void GlobalHotKeyController::applyStoredShortcut() {
    try {
        registerShortcut(settingsStore_.globalShortcut(), settingsStore_.isGlobalShortcutEnabled());
        lastErrorMessage_ = std::nullopt;
    } catch (const GlobalHotKeyError& error) {
        // The settings window shows the message once opened; until then only the log tells.
        // A refusal by the system is logged where its reason is known, by the backend.
        if (error.errorCase() == GlobalHotKeyError::Case::invalidShortcut) {
            logWarning(LogCategory::shortcut,
                       "The stored global shortcut has none of Ctrl, Alt and Super; no shortcut is registered");
        }
        lastErrorMessage_ = error.errorDescription();
    } catch (const std::exception& error) {
        // A registrar outside our own may fail in its own way; start-up must go on.
        logWarning(LogCategory::shortcut, std::string("Could not register the global shortcut: ") + error.what());
        lastErrorMessage_ = GlobalHotKeyError::registrationFailed(0).errorDescription();
    }
}

void GlobalHotKeyController::update(const KeyboardShortcut& shortcut, Activation activation) {
    const bool enabled = activation == Activation::enabled;
    const KeyboardShortcut previousShortcut = settingsStore_.globalShortcut();
    const bool previousEnabled = settingsStore_.isGlobalShortcutEnabled();
    try {
        registerShortcut(shortcut, enabled);
    } catch (...) {
        // Written out explicitly, so that values that were only defaults become stored ones.
        tryToStore(previousShortcut, previousEnabled);
        throw;
    }
    try {
        settingsStore_.setGlobalShortcut(shortcut);
        settingsStore_.setGlobalShortcutEnabled(enabled);
    } catch (...) {
        // A write that stopped half way would pair the new key with the old modifiers:
        // the old values go back where they can, and no key may stay registered that
        // the store does not hold.
        tryToStore(previousShortcut, previousEnabled);
        matchStoredShortcut(shortcut, enabled);
        throw;
    }
    lastErrorMessage_ = std::nullopt;
}

void GlobalHotKeyController::disable() {
    // Stored first: a failed write then leaves the registration and the store both still enabled.
    settingsStore_.setGlobalShortcutEnabled(false);
    dropRegistration();
    lastErrorMessage_ = std::nullopt;
}

void GlobalHotKeyController::registerShortcut(const KeyboardShortcut& shortcut, bool enabled) {
    if (!enabled) {
        dropRegistration();
        return;
    }
    if (!shortcut.isValidGlobalShortcut()) {
        throw GlobalHotKeyError::invalidShortcut();
    }
    // The new key is registered while the old one is still active: a refused
    // change must leave the working shortcut in place.
    auto registration = registrar_->registerShortcut(shortcut, handler_);
    dropRegistration();
    registration_ = std::move(registration);
}

void GlobalHotKeyController::tryToStore(const KeyboardShortcut& shortcut, bool enabled) {
    try {
        settingsStore_.setGlobalShortcut(shortcut);
        settingsStore_.setGlobalShortcutEnabled(enabled);
    } catch (const std::exception&) {
        // The caller reports the failure that matters, and the store logs its own.
    }
}

void GlobalHotKeyController::matchStoredShortcut(const KeyboardShortcut& registered, bool registeredEnabled) {
    const KeyboardShortcut stored = settingsStore_.globalShortcut();
    const bool storedEnabled = settingsStore_.isGlobalShortcutEnabled();
    if (stored == registered && storedEnabled == registeredEnabled) {
        return;
    }
    try {
        registerShortcut(stored, storedEnabled);
    } catch (...) {
        // No shortcut is better than one the store does not know of.
        dropRegistration();
    }
}

void GlobalHotKeyController::dropRegistration() {
    if (registration_) {
        registration_->unregister();
        registration_.reset();
    }
}

}  // namespace ledgerly
