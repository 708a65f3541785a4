#pragma once

#include "LedgerlyCore/Settings/HotKeyRegistering.h"
#include "LedgerlyCore/Settings/HotKeyRegistration.h"
#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "LedgerlyCore/Settings/LedgerlySettingsStore.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ledgerly {

// Owns the one system-wide registration of the global shortcut and keeps the
// stored shortcut in step with what the system accepted. Main thread only.
class GlobalHotKeyController {
public:
    using Handler = std::function<void()>;
    // Whether the shortcut opens the menu or is only kept for later.
    enum class Activation { enabled, disabled };

    // Registers nothing yet. The store is shared and must outlive the controller;
    // `handler` runs on the main thread at every press of the shortcut.
    GlobalHotKeyController(LedgerlySettingsStore& settingsStore, std::unique_ptr<HotKeyRegistering> registrar,
                           Handler handler);
    GlobalHotKeyController(const GlobalHotKeyController&) = delete;
    GlobalHotKeyController& operator=(const GlobalHotKeyController&) = delete;
    ~GlobalHotKeyController();

    // The same as applyStoredShortcut().
    void start();
    // Registers what the store holds; never throws, reports through lastErrorMessage().
    void applyStoredShortcut();
    // Applies and then stores a new shortcut and flag; on failure keeps the old
    // registration and stored values and throws the GlobalHotKeyError. When the
    // store write fails, puts the old values back where it can, registers what
    // the store then holds and rethrows.
    void update(const KeyboardShortcut& shortcut, Activation activation);
    // Turns the shortcut off and stores that; the stored shortcut itself stays.
    void disable();

    // The user-facing text of the last failure of applyStoredShortcut(); none after a success.
    const std::optional<std::string>& lastErrorMessage() const { return lastErrorMessage_; }

private:
    void registerShortcut(const KeyboardShortcut& shortcut, bool enabled);
    // Stores both values; a failure is logged, not thrown.
    void tryToStore(const KeyboardShortcut& shortcut, bool enabled);
    // After a failed store write: registers what the store holds unless that is
    // `registered` already, and drops the registration if that fails.
    void matchStoredShortcut(const KeyboardShortcut& registered, bool registeredEnabled);
    void dropRegistration();

    LedgerlySettingsStore& settingsStore_;
    std::unique_ptr<HotKeyRegistering> registrar_;
    Handler handler_;
    // Declared after the registrar so that it goes first.
    std::unique_ptr<HotKeyRegistration> registration_;
    std::optional<std::string> lastErrorMessage_;
};

}  // namespace ledgerly
