#include "LedgerlyDesktop/Menus/MenuActionLater.h"

#include "LedgerlyDesktop/LogCategories.h"

#include <QTimer>

namespace ledgerly {

bool sendsMenuAction(const MenuEntry& entry) { return entry.action && entry.hasTarget; }

void performMenuActionLater(const std::weak_ptr<MenuActionHandling>& handler, const MenuEntry& entry,
                            const MenuActionErrorReporter& reportError) {
    if (!sendsMenuAction(entry)) {
        return;
    }
    QTimer::singleShot(0, [handler, entry, reportError] {
        const auto alive = handler.lock();
        if (!alive) {
            return;
        }
        try {
            perform(*entry.action, entry, *alive);
        } catch (const std::exception& error) {
            // The alert is gone once dismissed; the log keeps what failed.
            qCWarning(lcMenu).noquote() << QStringLiteral("\"%1\" failed: %2")
                                               .arg(QString::fromStdString(entry.title),
                                                    QString::fromUtf8(error.what()));
            reportError(error);
        }
    });
}

}  // namespace ledgerly
