#include "LedgerlyDesktop/ControlInterface.h"

#include "LedgerlyCore/App/LedgerlyAppDelegate.h"
#include "LedgerlyReports/MenuJson.h"

namespace ledgerly {

ControlInterface::ControlInterface(std::weak_ptr<LedgerlyAppDelegate> delegate, QObject* object)
    : QDBusAbstractAdaptor(object), delegate_(std::move(delegate)) {}

QString ControlInterface::statusTitle() const {
    const auto delegate = delegate_.lock();
    return delegate ? QString::fromStdString(delegate->statusTitle()) : QString();
}

QString ControlInterface::menuJson() const {
    const auto delegate = delegate_.lock();
    if (!delegate) {
        return {};
    }
    return QString::fromStdString(
        reports::dumpJson(reports::menuReportToJson(delegate->statusTitle(), delegate->menu())));
}

void ControlInterface::ShowMenu() {
    if (const auto delegate = delegate_.lock()) {
        delegate->showMenu();
    }
}

void ControlInterface::Refresh() {
    if (const auto delegate = delegate_.lock()) {
        delegate->refresh();
    }
}

}  // namespace ledgerly
