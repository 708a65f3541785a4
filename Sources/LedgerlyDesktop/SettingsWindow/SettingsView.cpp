#include "LedgerlyDesktop/SettingsWindow/SettingsView.h"

#include "LedgerlyDesktop/SettingsWindow/SettingsCard.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsErrorView.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsRow.h"
#include "LedgerlyDesktop/SettingsWindow/SettingsSectionLabel.h"
#include "LedgerlyDesktop/SettingsWindow/ShortcutRecorderControl.h"
#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ledgerly {

SettingsView::SettingsView(SettingsViewModel& viewModel, QWidget* parent) : QWidget(parent), viewModel_(viewModel) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding);
    stack->setSpacing(0);
    stack->addWidget(new SettingsSectionLabel(QStringLiteral("Startup"), this));
    stack->addSpacing(labelToCardGap);
    stack->addWidget(makeStartupCard());
    launchAtLoginError_ = addMessage(this);
    stack->addSpacing(sectionGap);
    stack->addWidget(new SettingsSectionLabel(QStringLiteral("Keyboard"), this));
    stack->addSpacing(labelToCardGap);
    stack->addWidget(makeKeyboardCard());
    recorderMessageView_ = addMessage(this);
    shortcutError_ = addMessage(this);
    setFixedWidth(contentWidth);
    bindRecorder();
    observerToken_ = viewModel_.addObserver([this] { showFromViewModel(); });
    showFromViewModel();
}

SettingsView::~SettingsView() { viewModel_.removeObserver(observerToken_); }

QWidget* SettingsView::makeStartupCard() {
    auto* card = new SettingsCard(this);
    auto* row = new SettingsRow(card);
    row->addItem(new QLabel(QStringLiteral("Launch at login"), row));
    row->addFlexibleSpace();
    launchAtLoginSwitch_ = new SwitchControl(row);
    launchAtLoginSwitch_->setAccessibleName(QStringLiteral("Launch at login"));
    row->addItem(launchAtLoginSwitch_);
    card->addContent(row);
    // The switch then shows whatever the view model publishes: it snaps back on a refusal.
    connect(launchAtLoginSwitch_, &SwitchControl::clicked, this,
            [this](bool checked) { viewModel_.setLaunchAtLoginEnabled(checked); });
    return card;
}

QWidget* SettingsView::makeKeyboardCard() {
    auto* card = new SettingsCard(this);
    auto* row = new SettingsRow(card);
    row->addItem(new QLabel(QStringLiteral("Open Ledgerly menu"), row));
    row->addFlexibleSpace();
    recorder_ = new ShortcutRecorderControl(row);
    row->addItem(recorder_);
    card->addContent(row);
    return card;
}

SettingsErrorView* SettingsView::addMessage(QWidget* container) {
    // The gap above a message belongs to it, so that both go when it is hidden.
    auto* frame = new QWidget(container);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(0, messageGap, 0, 0);
    auto* message = new SettingsErrorView(frame);
    frameLayout->addWidget(message);
    container->layout()->addWidget(frame);
    frame->hide();
    return message;
}

void SettingsView::bindRecorder() {
    recorder_->setOnShortcut([this](const KeyboardShortcut& shortcut) {
        setRecorderMessage(std::nullopt);
        viewModel_.setShortcut(shortcut);
    });
    recorder_->setOnDisable([this] {
        setRecorderMessage(std::nullopt);
        viewModel_.disableShortcut();
    });
    recorder_->setOnInvalidShortcut([this](const std::string& message) { setRecorderMessage(message); });
}

void SettingsView::setRecorderMessage(std::optional<std::string> message) {
    recorderMessage_ = std::move(message);
    showMessage(*recorderMessageView_, recorderMessage_);
    emit contentChanged();
}

void SettingsView::showFromViewModel() {
    launchAtLoginSwitch_->setChecked(viewModel_.launchAtLoginEnabled());
    recorder_->setShortcut(viewModel_.globalShortcut());
    recorder_->setShortcutEnabled(viewModel_.globalShortcutEnabled());
    showMessage(*launchAtLoginError_, viewModel_.launchAtLoginError());
    showMessage(*shortcutError_, viewModel_.globalShortcutError());
    emit contentChanged();
}

void SettingsView::showMessage(SettingsErrorView& view, const std::optional<std::string>& message) {
    view.setMessage(message ? QString::fromStdString(*message) : QString());
    view.parentWidget()->setVisible(message.has_value());
}

}  // namespace ledgerly
