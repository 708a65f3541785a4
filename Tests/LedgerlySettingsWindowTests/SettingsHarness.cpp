#include "SettingsHarness.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace ledgerly::testing {
namespace {

std::unique_ptr<FakeHotKeyRegistrar> makeRegistrar(FakeHotKeyRegistrar*& registrar) {
    auto made = std::make_unique<FakeHotKeyRegistrar>();
    registrar = made.get();
    return made;
}

}  // namespace

SettingsHarness::SettingsHarness()
    : hotKeyController(store, makeRegistrar(registrar), [] {}),
      viewModel(store, std::make_unique<FakeLaunchAtLoginService>(loginItem), hotKeyController),
      controller(std::make_unique<SettingsWindowController>(viewModel)) {
    registrarLog = registrar->log;
    hotKeyController.applyStoredShortcut();
}

SettingsHarness::~SettingsHarness() { controller.reset(); }

void SettingsHarness::show() {
    controller->show();
    QApplication::setActiveWindow(&window());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
}

void SettingsHarness::click(QWidget& widget, QPoint position) {
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, position);
}

void SettingsHarness::clickRecorderField() { click(recorder(), QPoint(40, 14)); }

void SettingsHarness::clickClearButton() { click(recorder(), recorder().clearButtonRect().center().toPoint()); }

void SettingsHarness::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window(), key, modifiers);
}

}  // namespace ledgerly::testing
