#include "StandInPortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDateTime>
#include <QMutexLocker>

namespace ledgerly::testing {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

QString handlePath(const QString& kind, const QDBusMessage& call, const QString& token) {
    const QString sender = call.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2/%3/%4").arg(kPath, kind, sender, token);
}

QDBusMessage invalid(const QDBusMessage& call, const QString& why) {
    return call.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.InvalidArgument"), why);
}

}  // namespace

StandInPortal::StandInPortal(bool offersGlobalShortcuts)
    : offersGlobalShortcuts_(offersGlobalShortcuts),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in portal"))) {
    registered_ = connection_.registerVirtualObject(kPath, this, QDBusConnection::SubPath) &&
                  connection_.registerService(kService);
    moveToThread(&thread_);
    thread_.start();
}

StandInPortal::~StandInPortal() {
    connection_.unregisterService(kService);
    connection_.unregisterObject(kPath, QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(connection_.name());
    thread_.quit();
    thread_.wait();
}

QStringList StandInPortal::sessions() const {
    const QMutexLocker lock(&mutex_);
    return sessions_;
}

QStringList StandInPortal::closedSessions() const {
    const QMutexLocker lock(&mutex_);
    return closedSessions_;
}

QList<StandInPortal::Binding> StandInPortal::bindings() const {
    const QMutexLocker lock(&mutex_);
    return bindings_;
}

void StandInPortal::activate(const QString& session, const QString& shortcutId) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kShortcuts, QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(session)) << shortcutId
           << static_cast<qulonglong>(QDateTime::currentMSecsSinceEpoch()) << QVariantMap();
    connection_.send(signal);
}

QString StandInPortal::introspect(const QString& /*path*/) const { return {}; }

bool StandInPortal::handleMessage(const QDBusMessage& message, const QDBusConnection& /*connection*/) {
    const QString& method = message.member();
    QDBusMessage reply;
    if (message.interface() == kShortcuts && offersGlobalShortcuts_ && message.path() == kPath) {
        if (method == QLatin1String("CreateSession")) {
            reply = createSession(message);
        } else if (method == QLatin1String("BindShortcuts")) {
            reply = bindShortcuts(message);
        }
    } else if (message.interface() == kSession && method == QLatin1String("Close")) {
        reply = closeSession(message);
    }
    if (reply.type() == QDBusMessage::InvalidMessage) {
        reply = message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                         QStringLiteral("No such interface or method on this object"));
    }
    connection_.send(reply);
    // The Response follows the reply to the call, as from the real portal.
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        const QString request = reply.arguments().front().value<QDBusObjectPath>().path();
        if (method == QLatin1String("CreateSession")) {
            respond(request,
                    {{QStringLiteral("session_handle"), QVariant::fromValue(QDBusObjectPath(sessions().last()))}});
        } else {
            respond(request, {});
        }
    }
    return true;
}

QDBusMessage StandInPortal::createSession(const QDBusMessage& message) {
    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(0));
    const QString token = options.value(QStringLiteral("handle_token")).toString();
    const QString sessionToken = options.value(QStringLiteral("session_handle_token")).toString();
    if (token.isEmpty() || sessionToken.isEmpty()) {
        return invalid(message, QStringLiteral("handle_token and session_handle_token are expected"));
    }
    const QMutexLocker lock(&mutex_);
    sessions_ << handlePath(QStringLiteral("session"), message, sessionToken);
    return message.createReply(
        QVariant::fromValue(QDBusObjectPath(handlePath(QStringLiteral("request"), message, token))));
}

QDBusMessage StandInPortal::bindShortcuts(const QDBusMessage& message) {
    if (message.signature() != QLatin1String("oa(sa{sv})sa{sv}")) {
        return invalid(message, QStringLiteral("BindShortcuts takes oa(sa{sv})sa{sv}"));
    }
    Binding binding{message.arguments().at(0).value<QDBusObjectPath>().path(), {}};
    const QDBusArgument shortcuts = message.arguments().at(1).value<QDBusArgument>();
    shortcuts.beginArray();
    while (!shortcuts.atEnd()) {
        QString id;
        QVariantMap properties;
        shortcuts.beginStructure();
        shortcuts >> id >> properties;
        shortcuts.endStructure();
        binding.shortcuts.append({id, properties.value(QStringLiteral("description")).toString(),
                                  properties.value(QStringLiteral("preferred_trigger")).toString()});
    }
    shortcuts.endArray();
    const QString token =
        qdbus_cast<QVariantMap>(message.arguments().at(3)).value(QStringLiteral("handle_token")).toString();
    const QMutexLocker lock(&mutex_);
    if (!sessions_.contains(binding.session) || closedSessions_.contains(binding.session)) {
        return invalid(message, QStringLiteral("Invalid session"));
    }
    for (const Binding& earlier : bindings_) {
        if (earlier.session == binding.session) {
            return invalid(message, QStringLiteral("An application can only bind shortcuts of a session once"));
        }
    }
    bindings_.append(binding);
    return message.createReply(
        QVariant::fromValue(QDBusObjectPath(handlePath(QStringLiteral("request"), message, token))));
}

QDBusMessage StandInPortal::closeSession(const QDBusMessage& message) {
    const QMutexLocker lock(&mutex_);
    if (!sessions_.contains(message.path())) {
        return {};
    }
    closedSessions_ << message.path();
    return message.createReply();
}

void StandInPortal::respond(const QString& requestPath, const QVariantMap& results) {
    QDBusMessage signal = QDBusMessage::createSignal(requestPath, QStringLiteral("org.freedesktop.portal.Request"),
                                                     QStringLiteral("Response"));
    signal << 0U << results;
    connection_.send(signal);
}

}  // namespace ledgerly::testing
