#include "LedgerlyDesktop/ControlClient.h"

#include "LedgerlyDesktop/ControlInterface.h"
#include "LedgerlyDesktop/LogCategories.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

namespace ledgerly {

ControlNameClaim claimControlName(QDBusConnection& bus) {
    // Without queueing: exactly one of two instances started together gets the name.
    const auto reply = bus.interface()->registerService(QString::fromLatin1(ControlInterface::serviceName),
                                                        QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        qCWarning(lcTray).noquote() << QStringLiteral("Could not take the bus name %1 (%2: %3); no control interface")
                                           .arg(QString::fromLatin1(ControlInterface::serviceName),
                                                reply.error().name(), reply.error().message());
        return ControlNameClaim::failed;
    }
    return reply.value() == QDBusConnectionInterface::ServiceRegistered ? ControlNameClaim::claimed
                                                                        : ControlNameClaim::heldElsewhere;
}

ShowMenuRequest requestShowMenu(QDBusConnection& bus) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(ControlInterface::serviceName), QString::fromLatin1(ControlInterface::objectPath),
        QString::fromLatin1(ControlInterface::interfaceName), QStringLiteral("ShowMenu"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return ShowMenuRequest::shown;
    }
    const QDBusError error(reply);
    if (error.type() == QDBusError::ServiceUnknown ||
        error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return ShowMenuRequest::notRunning;
    }
    qCWarning(lcMenu).noquote()
        << QStringLiteral("The running Ledgerly did not show its menu (%1: %2)").arg(error.name(), error.message());
    return ShowMenuRequest::failed;
}

}  // namespace ledgerly
