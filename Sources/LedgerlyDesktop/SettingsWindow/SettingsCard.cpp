#include "LedgerlyDesktop/SettingsWindow/SettingsCard.h"

#include "LedgerlyDesktop/SettingsWindow/CardBackground.h"

#include <QPainter>
#include <QVBoxLayout>

namespace ledgerly {

SettingsCard::SettingsCard(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SettingsCard::addContent(QWidget* content) { layout()->addWidget(content); }

void SettingsCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCardBackground(painter, rect(), palette());
}

}  // namespace ledgerly
