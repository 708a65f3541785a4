#include "LedgerlyDesktop/SettingsWindow/SectionLabel.h"

#include "LedgerlyDesktop/SettingsWindow/TextStyles.h"

namespace ledgerly {

SectionLabel::SectionLabel(const QString& title, QWidget* parent) : QLabel(title, parent) {
    setFont(textStyleFont(TextStyle::headline));
    setContentsMargins(leadingPadding, 0, 0, 0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

}  // namespace ledgerly
