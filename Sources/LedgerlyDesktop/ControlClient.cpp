#include "LedgerlyDesktop/ControlClient.h"

#include "LedgerlyDesktop/ControlInterface.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace ledgerly {

bool claimControlName(QDBusConnection& bus) {
    // Without queueing: exactly one of two instances started together gets the name.
    const auto reply = bus.interface()->registerService(QString::fromLatin1(ControlInterface::serviceName),
                                                        QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

bool requestShowMenu(QDBusConnection& bus) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(ControlInterface::serviceName), QString::fromLatin1(ControlInterface::objectPath),
        QString::fromLatin1(ControlInterface::interfaceName), QStringLiteral("ShowMenu"));
    return bus.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

}  // namespace ledgerly
