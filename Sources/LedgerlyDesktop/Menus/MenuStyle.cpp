#include "LedgerlyDesktop/Menus/MenuStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace ledgerly {
namespace {

constexpr int kSubtitleGap = 1;

struct SplitText {
    QString title;     // with the shortcut after a tab, as Qt passes it
    QString subtitle;  // empty when the entry has none
};

SplitText split(const QString& text) {
    const qsizetype at = text.indexOf(MenuStyle::subtitleSeparator);
    if (at < 0) {
        return {text, {}};
    }
    const qsizetype tab = text.indexOf(QLatin1Char('\t'), at);
    const QString subtitle = text.mid(at + 1, tab < 0 ? -1 : tab - at - 1);
    return {text.left(at) + (tab < 0 ? QString() : text.mid(tab)), subtitle};
}

bool isSectionHeader(const QStyleOptionMenuItem& item) {
    return item.menuItemType == QStyleOptionMenuItem::Separator && !item.text.isEmpty();
}

QColor dimmed(const QColor& text, const QColor& background) {
    // Two thirds of the way from the background to the text: readable, yet clearly secondary.
    return QColor::fromRgbF(background.redF() + (text.redF() - background.redF()) * 0.66f,
                            background.greenF() + (text.greenF() - background.greenF()) * 0.66f,
                            background.blueF() + (text.blueF() - background.blueF()) * 0.66f);
}

QStyle* desktopStyle() {
    QStyle* style = QStyleFactory::create(QApplication::style()->name());
    return style != nullptr ? style : QStyleFactory::create(QStringLiteral("Fusion"));
}

}  // namespace

// Built on a fresh copy of the desktop's style: a proxy owns its base style.
MenuStyle::MenuStyle() : QProxyStyle(desktopStyle()) {}

QFont MenuStyle::subtitleFont(const QFont& font) {
    QFont smaller = font;
    smaller.setPointSizeF(font.pointSizeF() * 0.85);
    return smaller;
}

QFont MenuStyle::sectionHeaderFont(const QFont& font) {
    QFont header = subtitleFont(font);
    header.setBold(true);
    return header;
}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_Menu_SupportsSections:
        return 1;
    // Alt shows the alternate entries; it must not close the menu or move to a menu bar.
    case SH_MenuBar_AltKeyNavigation:
        return 0;
    // A level taller than the screen scrolls in one column rather than
    // spreading over the screen in columns that hide the entries below it.
    case SH_Menu_Scrollable:
        return 1;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    if (isSectionHeader(*item)) {
        const QFontMetrics metrics(sectionHeaderFont(item->font));
        return {size.width(), metrics.height() + 8};
    }
    const SplitText text = split(item->text);
    if (text.subtitle.isEmpty()) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    QStyleOptionMenuItem titleOnly = *item;
    titleOnly.text = text.title;
    QSize result = QProxyStyle::sizeFromContents(type, &titleOnly, size, widget);
    const QFontMetrics subtitleMetrics(subtitleFont(item->font));
    const int subtitleExtra = subtitleMetrics.horizontalAdvance(text.subtitle) - size.width();
    result.rwidth() += std::max(0, subtitleExtra);
    result.rheight() += subtitleMetrics.height() + kSubtitleGap;
    return result;
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || item == nullptr) {
        return QProxyStyle::drawControl(element, option, painter, widget);
    }
    if (isSectionHeader(*item)) {
        return drawSectionHeader(*item, painter, widget);
    }
    const SplitText text = split(item->text);
    if (text.subtitle.isEmpty()) {
        return QProxyStyle::drawControl(element, option, painter, widget);
    }
    drawSubtitledItem(*item, text.title, text.subtitle, painter, widget);
}

void MenuStyle::drawItemTextOnly(const QStyleOptionMenuItem& item, const QString& text, const QFont& font,
                                 const QColor& colour, int centreY, QPainter* painter, const QWidget* widget) const {
    QStyleOptionMenuItem part = item;
    part.text = text;
    part.font = font;
    part.icon = QIcon();
    part.checkType = QStyleOptionMenuItem::NotCheckable;
    part.menuItemType = QStyleOptionMenuItem::Normal;
    part.state &= ~State_Selected;
    part.state |= State_Enabled;
    part.rect.moveTop(centreY - part.rect.height() / 2);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
            part.palette.setColor(group, role, colour);
        }
    }
    painter->save();
    painter->setFont(font);
    QProxyStyle::drawControl(CE_MenuItem, &part, painter, widget);
    painter->restore();
}

void MenuStyle::drawSectionHeader(const QStyleOptionMenuItem& item, QPainter* painter, const QWidget* widget) const {
    const QColor colour = dimmed(item.palette.color(QPalette::Active, QPalette::Text),
                                 item.palette.color(QPalette::Active, QPalette::Window));
    drawItemTextOnly(item, item.text, sectionHeaderFont(item.font), colour, item.rect.center().y() + 1, painter,
                     widget);
}

void MenuStyle::drawSubtitledItem(const QStyleOptionMenuItem& item, const QString& title, const QString& subtitle,
                                  QPainter* painter, const QWidget* widget) const {
    // The background, check mark and icon span both lines.
    QStyleOptionMenuItem background = item;
    background.text.clear();
    QProxyStyle::drawControl(CE_MenuItem, &background, painter, widget);

    const bool enabled = item.state.testFlag(State_Enabled);
    const bool selected = enabled && item.state.testFlag(State_Selected);
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const QColor text = item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor back = item.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);

    const QFontMetrics titleMetrics(item.font);
    const QFont smaller = subtitleFont(item.font);
    const QFontMetrics subtitleMetrics(smaller);
    const int subtitleHeight = subtitleMetrics.height() + kSubtitleGap;
    // Each line is laid out as a one-line entry would be: styles widen their icon column with the entry's height.
    QStyleOptionMenuItem oneLine = item;
    oneLine.rect.setHeight(item.rect.height() - subtitleHeight);
    const int contentHeight = titleMetrics.height() + subtitleHeight;
    const int top = item.rect.center().y() - contentHeight / 2;
    drawItemTextOnly(oneLine, title, item.font, text, top + titleMetrics.height() / 2, painter, widget);
    drawItemTextOnly(oneLine, subtitle, smaller, enabled ? dimmed(text, back) : text,
                     top + titleMetrics.height() + kSubtitleGap + subtitleMetrics.height() / 2, painter, widget);
}

}  // namespace ledgerly
