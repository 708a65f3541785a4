#pragma once

#include <QProxyStyle>

class QStyleOptionMenuItem;

namespace ledgerly {

// Draws what Qt's menus lack: an entry with a second, smaller and dimmer
// line (its subtitle), and section headers as small bold labels. Everything
// else is the desktop's own style.
class MenuStyle final : public QProxyStyle {
public:
    // Separates the title from the subtitle in a menu item's style option text.
    static constexpr QChar subtitleSeparator = QChar(0x001F);

    MenuStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

    // The smaller font of subtitles for a menu font.
    static QFont subtitleFont(const QFont& font);
    // The font of section headers for a menu font.
    static QFont sectionHeaderFont(const QFont& font);

private:
    void drawSectionHeader(const QStyleOptionMenuItem& item, QPainter* painter, const QWidget* widget) const;
    void drawSubtitledItem(const QStyleOptionMenuItem& item, const QString& title, const QString& subtitle,
                           QPainter* painter, const QWidget* widget) const;
    // Draws `text` with the style's own item layout but no background, check mark or icon.
    void drawItemTextOnly(const QStyleOptionMenuItem& item, const QString& text, const QFont& font,
                          const QColor& colour, int centreY, QPainter* painter, const QWidget* widget) const;
};

}  // namespace ledgerly
