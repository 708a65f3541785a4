#include "LedgerlyDesktop/Menus/SymbolIconSet.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initialiseIconResources() { Q_INIT_RESOURCE(icons); }

namespace ledgerly {
namespace {

constexpr int kIconSide = 16;
constexpr int kDrawingSide = 13;

QPixmap blankPixmap(qreal devicePixelRatio) {
    QPixmap pixmap(QSize(kIconSide, kIconSide) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap drawing(QSvgRenderer& renderer, qreal devicePixelRatio, const std::optional<QColor>& tint) {
    QPixmap pixmap = blankPixmap(devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = (kIconSide - kDrawingSide) / 2.0;
    renderer.render(&painter, QRectF(margin, margin, kDrawingSide, kDrawingSide));
    if (tint) {
        // A template image keeps only its shape; the colour comes from the menu.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(QRectF(0, 0, kIconSide, kIconSide), *tint);
    }
    return pixmap;
}

}  // namespace

SymbolIconSet::SymbolIconSet() { initialiseIconResources(); }

QString SymbolIconSet::resourcePath(std::string_view symbolName) {
    return QStringLiteral(":/ledgerly/icons/") +
           QString::fromUtf8(symbolName.data(), static_cast<qsizetype>(symbolName.size())) + QStringLiteral(".svg");
}

bool SymbolIconSet::hasSymbol(std::string_view symbolName) const {
    return symbolName != "ledgerly" && QFile::exists(resourcePath(symbolName));
}

QIcon SymbolIconSet::icon(const MenuIcon& icon, const QPalette& palette, qreal devicePixelRatio) const {
    // A menu of thousands of links would otherwise parse and draw the same few SVGs thousands of times.
    const QString key = QString::fromStdString(icon.symbolName.value_or("")) + QLatin1Char('/') +
                        QString::number(icon.isTemplate) + QLatin1Char('/') + QString::number(palette.cacheKey()) +
                        QLatin1Char('/') + QString::number(devicePixelRatio);
    const auto found = drawn_.find(key);
    if (found != drawn_.end()) {
        return found->second;
    }
    return drawn_.emplace(key, draw(icon, palette, devicePixelRatio)).first->second;
}

QIcon SymbolIconSet::draw(const MenuIcon& icon, const QPalette& palette, qreal devicePixelRatio) const {
    QIcon result;
    if (!icon.symbolName || !hasSymbol(*icon.symbolName)) {
        result.addPixmap(blankPixmap(devicePixelRatio));
        return result;
    }
    QSvgRenderer renderer(resourcePath(*icon.symbolName));
    const auto tint = [&](QPalette::ColorGroup group, QPalette::ColorRole role) -> std::optional<QColor> {
        return icon.isTemplate ? std::optional<QColor>(palette.color(group, role)) : std::nullopt;
    };
    result.addPixmap(drawing(renderer, devicePixelRatio, tint(QPalette::Active, QPalette::Text)), QIcon::Normal);
    result.addPixmap(drawing(renderer, devicePixelRatio, tint(QPalette::Disabled, QPalette::Text)), QIcon::Disabled);
    result.addPixmap(drawing(renderer, devicePixelRatio, tint(QPalette::Active, QPalette::HighlightedText)),
                     QIcon::Active);
    result.addPixmap(drawing(renderer, devicePixelRatio, tint(QPalette::Active, QPalette::HighlightedText)),
                     QIcon::Selected);
    return result;
}

QIcon SymbolIconSet::applicationIcon() {
    initialiseIconResources();
    return QIcon(resourcePath("ledgerly"));
}

}  // namespace ledgerly
