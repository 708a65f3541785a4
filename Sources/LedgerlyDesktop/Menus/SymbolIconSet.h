#pragma once

#include "LedgerlyCore/Menu/MenuIcon.h"
#include "LedgerlyCore/Menu/SymbolAvailability.h"

#include <QIcon>
#include <QPalette>
#include <QString>

#include <map>

namespace ledgerly {

// Our own drawings of the symbol names the menu uses, compiled into the
// binary as SVG. Template icons are tinted with the menu's text colours.
class SymbolIconSet final : public SymbolAvailability {
public:
    SymbolIconSet();

    bool hasSymbol(std::string_view symbolName) const override;

    // `icon` drawn for a menu with `palette`: each state in its text colour,
    // the drawing in 13x13 of a 16x16 icon; a blank icon only keeps the room.
    // Drawn once per symbol and palette; QIcon copies share the pixmaps.
    QIcon icon(const MenuIcon& icon, const QPalette& palette, qreal devicePixelRatio) const;

    // The application and tray icon, in its own colours.
    static QIcon applicationIcon();
    // The resource path of `symbolName`'s drawing.
    static QString resourcePath(std::string_view symbolName);

private:
    QIcon draw(const MenuIcon& icon, const QPalette& palette, qreal devicePixelRatio) const;

    mutable std::map<QString, QIcon> drawn_;
};

}  // namespace ledgerly
