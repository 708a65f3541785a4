#include "LedgerlyDesktop/SettingsWindow/SettingsErrorView.h"

#include "LedgerlyDesktop/SettingsWindow/CardBackground.h"
#include "LedgerlyDesktop/SettingsWindow/PlatformColors.h"
#include "LedgerlyDesktop/SettingsWindow/TextStyles.h"
#include "LedgerlyDesktop/SettingsWindow/TintedSymbol.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace ledgerly {
namespace {

constexpr int kSymbolTextSpacing = 6;

}  // namespace

SettingsErrorView::SettingsErrorView(QWidget* parent)
    : QWidget(parent), symbol_(new QLabel(this)), text_(new QLabel(this)) {
    setFont(textStyleFont(TextStyle::callout));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding);
    layout->setSpacing(kSymbolTextSpacing);
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    layout->addWidget(symbol_, 0, Qt::AlignTop);
    layout->addWidget(text_, 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    applyColors();
}

QString SettingsErrorView::message() const { return text_->text(); }

void SettingsErrorView::setMessage(const QString& message) { text_->setText(message); }

void SettingsErrorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCardBackground(painter, rect(), palette());
}

void SettingsErrorView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        applyColors();
    }
}

void SettingsErrorView::applyColors() {
    const QColor secondary = platformColor(PlatformColor::secondaryLabelColor, palette());
    QPalette textPalette = text_->palette();
    textPalette.setColor(QPalette::WindowText, secondary);
    text_->setPalette(textPalette);
    // The symbol as tall as the text's capitals and descenders, like a glyph of the line.
    const int side = QFontMetrics(font()).height() - 2;
    symbol_->setPixmap(tintedSymbolPixmap(symbolName, side, secondary, devicePixelRatioF()));
    symbol_->setFixedSize(side, QFontMetrics(font()).height());
    symbol_->setAlignment(Qt::AlignCenter);
}

}  // namespace ledgerly
