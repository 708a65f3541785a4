#include "LedgerlyCore/Settings/GlobalHotKeyController.h"

#include "LedgerlyCore/Settings/GlobalHotKeyError.h"
#include "Settings/FakeHotKeyRegistrar.h"
#include "Settings/ThrowingUserDefaults.h"
#include "Support/RecordingLogSink.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace ledgerly::testing {
namespace {

using Activation = GlobalHotKeyController::Activation;

using Calls = std::vector<std::string>;

const KeyboardShortcut commandK(40, ModifierFlags::command);
const KeyboardShortcut controlJ(38, ModifierFlags::control);
const KeyboardShortcut shiftK(40, ModifierFlags::shift);

// A controller over a fake registrar and an in-memory store.
struct ControllerFixture {
    ThrowingUserDefaults defaults;
    LedgerlySettingsStore store{defaults};
    FakeHotKeyRegistrar* registrar = nullptr;
    std::shared_ptr<FakeHotKeyRegistrar::Log> log;
    int presses = 0;
    std::unique_ptr<GlobalHotKeyController> controller;

    ControllerFixture() {
        auto fake = std::make_unique<FakeHotKeyRegistrar>();
        registrar = fake.get();
        log = fake->log;
        controller = std::make_unique<GlobalHotKeyController>(store, std::move(fake), [this] { ++presses; });
    }

    GlobalHotKeyError updateError(const KeyboardShortcut& shortcut, Activation activation) {
        try {
            controller->update(shortcut, activation);
        } catch (const GlobalHotKeyError& error) {
            return error;
        }
        ADD_FAILURE() << "update did not throw";
        return GlobalHotKeyError::registrationFailed(12345);
    }
};

TEST(GlobalHotKeyErrorDescription, GivesTheFixedTexts) {
    EXPECT_EQ("Shortcut unavailable.", GlobalHotKeyError::eventHandlerUnavailable(-1).errorDescription());
    EXPECT_EQ("Shortcut unavailable.", GlobalHotKeyError::registrationFailed(0).errorDescription());
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", GlobalHotKeyError::invalidShortcut().errorDescription());
    EXPECT_STREQ("Shortcut unavailable.", GlobalHotKeyError::registrationFailed(3).what());
}

TEST(GlobalHotKeyErrorEquality, SameCaseAndSameStatus) {
    EXPECT_EQ(GlobalHotKeyError::registrationFailed(3), GlobalHotKeyError::registrationFailed(3));
    EXPECT_NE(GlobalHotKeyError::registrationFailed(3), GlobalHotKeyError::registrationFailed(4));
    EXPECT_NE(GlobalHotKeyError::registrationFailed(3), GlobalHotKeyError::eventHandlerUnavailable(3));
    EXPECT_EQ(GlobalHotKeyError::Case::eventHandlerUnavailable,
              GlobalHotKeyError::eventHandlerUnavailable(3).errorCase());
    EXPECT_EQ(3, GlobalHotKeyError::eventHandlerUnavailable(3).status());
}

TEST(GlobalHotKeyControllerApplyStoredShortcut, RegistersTheDefaultWhenNothingIsStored) {
    ControllerFixture fixture;
    fixture.controller->start();
    EXPECT_EQ((Calls{registerCall(KeyboardShortcut::defaultOpenMenu)}), fixture.log->calls);
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
    fixture.registrar->press(1);
    EXPECT_EQ(1, fixture.presses);
}

TEST(GlobalHotKeyControllerApplyStoredShortcut, DisabledFlagMakesNoRegistrarCall) {
    ControllerFixture fixture;
    fixture.store.setGlobalShortcutEnabled(false);
    fixture.store.setGlobalShortcut(shiftK);  // not examined while disabled
    fixture.controller->applyStoredShortcut();
    EXPECT_TRUE(fixture.log->calls.empty());
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerApplyStoredShortcut, RecordsFailuresInsteadOfThrowing) {
    const RecordingLogSink logged;
    ControllerFixture fixture;
    fixture.store.setGlobalShortcut(shiftK);
    EXPECT_NO_THROW(fixture.controller->applyStoredShortcut());
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", fixture.controller->lastErrorMessage());
    EXPECT_TRUE(fixture.log->calls.empty());
    // Nothing shows it until the settings are opened.
    EXPECT_EQ(std::vector<std::string>{"ledgerly.shortcut warning: The stored global shortcut has none of Ctrl, Alt "
                                       "and Super; no shortcut is registered"},
              logged.lines);

    fixture.store.setGlobalShortcut(commandK);
    fixture.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    EXPECT_NO_THROW(fixture.controller->applyStoredShortcut());
    EXPECT_EQ("Shortcut unavailable.", fixture.controller->lastErrorMessage());
    EXPECT_EQ(1u, logged.lines.size()) << "a refusal is the registrar's to log";

    fixture.controller->applyStoredShortcut();
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerUpdate, RegistersNewBeforeUnregisteringOld) {
    ControllerFixture fixture;
    fixture.controller->applyStoredShortcut();
    fixture.controller->update(commandK, Activation::enabled);
    EXPECT_EQ((Calls{registerCall(KeyboardShortcut::defaultOpenMenu), registerCall(commandK), "unregister 1"}),
              fixture.log->calls);
    EXPECT_EQ((std::vector<int>{2}), fixture.log->live);
    EXPECT_EQ(commandK, fixture.store.globalShortcut());
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
}

TEST(GlobalHotKeyControllerUpdate, StoresKeyCodeModifiersAndFlagOnSuccess) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    EXPECT_EQ(38, fixture.defaults.integer("globalShortcutKeyCode"));
    EXPECT_EQ(0x40000, fixture.defaults.integer("globalShortcutModifiers"));
    EXPECT_EQ(true, fixture.defaults.boolean("globalShortcutEnabled"));
}

TEST(GlobalHotKeyControllerUpdate, ThrowingRegistrarKeepsTheOldRegistrationAndStoredValues) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    fixture.registrar->nextError = GlobalHotKeyError::registrationFailed(-9878);
    EXPECT_EQ(GlobalHotKeyError::registrationFailed(-9878), fixture.updateError(commandK, Activation::enabled));
    EXPECT_EQ((Calls{registerCall(controlJ), registerCall(commandK)}), fixture.log->calls);
    EXPECT_EQ((std::vector<int>{1}), fixture.log->live);
    EXPECT_EQ(controlJ, fixture.store.globalShortcut());
    fixture.registrar->press(1);
    EXPECT_EQ(1, fixture.presses);
}

TEST(GlobalHotKeyControllerUpdate, FailureWritesOutDefaultsThatWereOnlyImplied) {
    ControllerFixture fixture;
    fixture.registrar->nextError = GlobalHotKeyError::eventHandlerUnavailable(-50);
    EXPECT_EQ(GlobalHotKeyError::eventHandlerUnavailable(-50), fixture.updateError(commandK, Activation::enabled));
    EXPECT_EQ(1, fixture.defaults.integer("globalShortcutKeyCode"));
    EXPECT_EQ(0x1C0000, fixture.defaults.integer("globalShortcutModifiers"));
    EXPECT_EQ(true, fixture.defaults.boolean("globalShortcutEnabled"));
}

TEST(GlobalHotKeyControllerUpdate, FailureLeavesLastErrorMessageAsItWas) {
    ControllerFixture fixture;
    fixture.store.setGlobalShortcut(shiftK);
    fixture.controller->applyStoredShortcut();
    fixture.registrar->nextError = GlobalHotKeyError::registrationFailed(1);
    fixture.updateError(commandK, Activation::enabled);
    EXPECT_EQ("Shortcut needs Ctrl, Alt, or Super.", fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerUpdate, InvalidShortcutThrowsWithoutCallingTheRegistrar) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    for (const auto& invalid :
         {shiftK, KeyboardShortcut::modifierOnlyHyperKey, KeyboardShortcut(40, ModifierFlags{})}) {
        EXPECT_EQ(GlobalHotKeyError::invalidShortcut(), fixture.updateError(invalid, Activation::enabled));
    }
    EXPECT_EQ((Calls{registerCall(controlJ)}), fixture.log->calls);
    EXPECT_EQ((std::vector<int>{1}), fixture.log->live);
    EXPECT_EQ(controlJ, fixture.store.globalShortcut());
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
}

TEST(GlobalHotKeyControllerUpdate, DisabledUpdateWithShiftOnlyShortcutDropsRegistrationAndStoresIt) {
    ControllerFixture fixture;
    fixture.store.setGlobalShortcut(shiftK);
    fixture.controller->applyStoredShortcut();
    ASSERT_TRUE(fixture.controller->lastErrorMessage().has_value());
    fixture.controller->update(controlJ, Activation::enabled);
    fixture.controller->update(shiftK, Activation::disabled);
    EXPECT_EQ((Calls{registerCall(controlJ), "unregister 1"}), fixture.log->calls);
    EXPECT_EQ(shiftK, fixture.store.globalShortcut());
    EXPECT_FALSE(fixture.store.isGlobalShortcutEnabled());
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerUpdate, FailedStoreWriteRegistersTheStoredShortcutAgainAndRethrows) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    fixture.defaults.failWrites = true;
    EXPECT_THROW(fixture.controller->update(commandK, Activation::enabled), std::runtime_error);
    EXPECT_EQ(
        (Calls{registerCall(controlJ), registerCall(commandK), "unregister 1", registerCall(controlJ), "unregister 2"}),
        fixture.log->calls);
    EXPECT_EQ((std::vector<int>{3}), fixture.log->live);
    EXPECT_EQ(controlJ, fixture.store.globalShortcut());
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
    fixture.registrar->press(3);
    EXPECT_EQ(1, fixture.presses);
}

TEST(GlobalHotKeyControllerUpdate, FailedFlagWriteAfterTheShortcutWritePutsTheOldShortcutBack) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::disabled);
    fixture.defaults.failWrites = true;
    fixture.defaults.failingKey = "globalShortcutEnabled";
    EXPECT_THROW(fixture.controller->update(commandK, Activation::enabled), std::runtime_error);
    // The flag still says off: nothing may stay registered.
    EXPECT_EQ(controlJ, fixture.store.globalShortcut());
    EXPECT_FALSE(fixture.store.isGlobalShortcutEnabled());
    EXPECT_EQ((Calls{registerCall(commandK), "unregister 1"}), fixture.log->calls);
    EXPECT_TRUE(fixture.log->live.empty());
}

TEST(GlobalHotKeyControllerUpdate, SuccessClearsLastErrorMessage) {
    ControllerFixture fixture;
    fixture.registrar->nextError = GlobalHotKeyError::registrationFailed(1);
    fixture.controller->applyStoredShortcut();
    ASSERT_TRUE(fixture.controller->lastErrorMessage().has_value());
    fixture.controller->update(commandK, Activation::enabled);
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerDisable, KeepsTheStoredShortcutAndStoresFalse) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    fixture.controller->disable();
    EXPECT_EQ(38, fixture.defaults.integer("globalShortcutKeyCode"));
    EXPECT_EQ(0x40000, fixture.defaults.integer("globalShortcutModifiers"));
    EXPECT_EQ(false, fixture.defaults.boolean("globalShortcutEnabled"));
    EXPECT_TRUE(fixture.log->live.empty());
    EXPECT_EQ(std::nullopt, fixture.controller->lastErrorMessage());
}

TEST(GlobalHotKeyControllerDisable, FailedStoreWriteKeepsTheRegistrationAndTheStoredFlag) {
    ControllerFixture fixture;
    fixture.controller->update(controlJ, Activation::enabled);
    fixture.defaults.failWrites = true;
    EXPECT_THROW(fixture.controller->disable(), std::runtime_error);
    EXPECT_EQ((Calls{registerCall(controlJ)}), fixture.log->calls);
    EXPECT_EQ((std::vector<int>{1}), fixture.log->live);
    EXPECT_TRUE(fixture.store.isGlobalShortcutEnabled());
    fixture.registrar->press(1);
    EXPECT_EQ(1, fixture.presses);
}

TEST(GlobalHotKeyControllerDisable, ThenApplyingStoredShortcutRegistersNothing) {
    ControllerFixture fixture;
    fixture.controller->applyStoredShortcut();
    fixture.controller->disable();
    fixture.controller->disable();
    fixture.controller->applyStoredShortcut();
    EXPECT_EQ((Calls{registerCall(KeyboardShortcut::defaultOpenMenu), "unregister 1"}), fixture.log->calls);
    EXPECT_FALSE(fixture.defaults.hasValue("globalShortcutKeyCode"));
}

TEST(GlobalHotKeyControllerLifetime, DestructionUnregistersTheHeldRegistration) {
    ControllerFixture fixture;
    fixture.controller->update(commandK, Activation::enabled);
    fixture.controller.reset();
    EXPECT_EQ((Calls{registerCall(commandK), "unregister 1"}), fixture.log->calls);
    EXPECT_TRUE(fixture.log->live.empty());
}

TEST(GlobalHotKeyControllerForeignErrors, ApplyReportsThemAndUpdateRestoresThenRethrows) {
    ControllerFixture fixture;
    fixture.registrar->nextThrowsForeignError = true;
    EXPECT_NO_THROW(fixture.controller->applyStoredShortcut());
    EXPECT_EQ("Shortcut unavailable.", fixture.controller->lastErrorMessage());

    fixture.registrar->nextThrowsForeignError = true;
    EXPECT_THROW(fixture.controller->update(commandK, Activation::enabled), std::runtime_error);
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, fixture.store.globalShortcut());
    EXPECT_EQ(1, fixture.defaults.integer("globalShortcutKeyCode"));
}

}  // namespace
}  // namespace ledgerly::testing
