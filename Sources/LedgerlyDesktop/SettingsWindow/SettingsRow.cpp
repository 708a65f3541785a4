#include "LedgerlyDesktop/SettingsWindow/SettingsRow.h"

#include "LedgerlyDesktop/SettingsWindow/TextStyles.h"

#include <QHBoxLayout>

namespace ledgerly {

SettingsRow::SettingsRow(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(horizontalPadding, 0, horizontalPadding, 0);
    layout->setSpacing(spacing);
    setFont(textStyleFont(TextStyle::body));
    setFixedHeight(rowHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SettingsRow::addItem(QWidget* item) { static_cast<QHBoxLayout*>(layout())->addWidget(item, 0, Qt::AlignVCenter); }

void SettingsRow::addFlexibleSpace() { static_cast<QHBoxLayout*>(layout())->addStretch(1); }

}  // namespace ledgerly
