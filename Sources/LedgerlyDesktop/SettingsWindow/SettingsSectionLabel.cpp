#include "LedgerlyDesktop/SettingsWindow/SettingsSectionLabel.h"

#include "LedgerlyDesktop/SettingsWindow/TextStyles.h"

namespace ledgerly {

SettingsSectionLabel::SettingsSectionLabel(const QString& title, QWidget* parent) : QLabel(title, parent) {
    setFont(textStyleFont(TextStyle::headline));
    setContentsMargins(leadingPadding, 0, 0, 0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

}  // namespace ledgerly
