#include "LedgerlyDesktop/SettingsWindow/TextStyles.h"

#include <QApplication>

namespace ledgerly {
namespace {

// Callout text is a step smaller than body text: 12 to 13.
constexpr qreal kCalloutScale = 12.0 / 13.0;

}  // namespace

QFont textStyleFont(TextStyle style) {
    QFont font = QApplication::font();
    switch (style) {
    case TextStyle::headline:
        font.setWeight(QFont::DemiBold);
        break;
    case TextStyle::body:
        break;
    case TextStyle::callout:
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(font.pointSizeF() * kCalloutScale);
        } else {
            font.setPixelSize(static_cast<int>(font.pixelSize() * kCalloutScale));
        }
        break;
    }
    return font;
}

}  // namespace ledgerly
