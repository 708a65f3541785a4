#include "LedgerlyDesktop/Shortcut/PortalHotKeyBackend.h"

#include "LedgerlyCore/Settings/KeyboardShortcut.h"
#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/Shortcut/VirtualKeyTable.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QList>
#include <QRandomGenerator>

#include <utility>

namespace ledgerly {
namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// Long enough for the bus to start the portal on first use; it answers at
// once after that, since the session itself comes later as a signal.
constexpr int kCreateSessionTimeoutMs = 5000;

// Shortcut ids with their properties, the portal's a(sa{sv}).
using ShortcutList = QList<std::pair<QString, QVariantMap>>;

const char* const kSessionResponseSlot = SLOT(handleSessionResponse(uint, QVariantMap, QDBusMessage));
const char* const kBindResponseSlot = SLOT(handleBindResponse(uint, QVariantMap, QDBusMessage));
const char* const kActivatedSlot = SLOT(handleActivated(QDBusObjectPath, QString, qulonglong, QVariantMap));

QString pathOf(const QVariant& handle) {
    return handle.metaType() == QMetaType::fromType<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                                       : handle.toString();
}

}  // namespace

PortalHotKeyBackend::PortalHotKeyBackend(QDBusConnection bus, QString description)
    : bus_(std::move(bus)), description_(std::move(description)) {
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<ShortcutList>();
    auto* portalWatcher = new QDBusServiceWatcher(kPortalService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(portalWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &PortalHotKeyBackend::followPortal);
}

PortalHotKeyBackend::~PortalHotKeyBackend() { closeSession(); }

QString PortalHotKeyBackend::trigger(std::uint32_t keyCode, std::uint32_t carbonModifiers) {
    const auto name = keyCode <= 0xffff ? keysymNameForVirtualKey(static_cast<std::uint16_t>(keyCode)) : std::nullopt;
    if (!name) {
        return {};
    }
    QStringList parts;
    if ((carbonModifiers & KeyboardShortcut::hotKeyControlMask) != 0) {
        parts << QStringLiteral("CTRL");
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyOptionMask) != 0) {
        parts << QStringLiteral("ALT");
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyShiftMask) != 0) {
        parts << QStringLiteral("SHIFT");
    }
    if ((carbonModifiers & KeyboardShortcut::hotKeyCommandMask) != 0) {
        parts << QStringLiteral("LOGO");
    }
    parts << QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()));
    return parts.join(QLatin1Char('+'));
}

std::int32_t PortalHotKeyBackend::installPressHandler(PressHandler handler) {
    if (!bus_.isConnected()) {
        qCWarning(lcShortcut) << "No global shortcut: there is no session bus to reach the desktop portal";
        return noPortalStatus;
    }
    if (const std::int32_t status = createSession(); status != 0) {
        return status;
    }
    handler_ = std::move(handler);
    bus_.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"), this, kActivatedSlot);
    return 0;
}

void PortalHotKeyBackend::removePressHandler() {
    bus_.disconnect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"), this,
                    kActivatedSlot);
    handler_ = nullptr;
}

std::int32_t PortalHotKeyBackend::registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                                 std::uint32_t carbonModifiers) {
    if (!handler_) {
        return noPortalStatus;
    }
    const QString wanted = trigger(keyCode, carbonModifiers);
    if (wanted.isEmpty()) {
        qCWarning(lcShortcut) << "No global shortcut: the desktop portal has no name for the key with code" << keyCode;
        return unnamedKeyStatus;
    }
    triggers_[identifier] = wanted;
    scheduleBinding();
    return 0;
}

void PortalHotKeyBackend::unregisterHotKey(std::uint32_t identifier) {
    // Presses of the key stop here at once; the desktop learns of it on the next binding.
    if (triggers_.erase(identifier) != 0) {
        scheduleBinding();
    }
}

QString PortalHotKeyBackend::requestPath(const QString& token) const {
    // As the portal derives it: our unique name without its ':' and with '_' for every '.'.
    const QString sender = bus_.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(kPortalPath, sender, token);
}

QString PortalHotKeyBackend::newToken() const {
    // Unique and not guessable, as the portal asks, under a prefix of our own.
    return QStringLiteral("ledgerly_%1").arg(QRandomGenerator::global()->generate());
}

void PortalHotKeyBackend::followRequest(const QString& requestPath, const char* slot) {
    bus_.connect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"), this, slot);
}

void PortalHotKeyBackend::forgetRequest(const QString& requestPath, const char* slot) {
    bus_.disconnect(kPortalService, requestPath, kRequestInterface, QStringLiteral("Response"), this, slot);
}

std::int32_t PortalHotKeyBackend::createSession() {
    // Subscribed before the call, at the path the portal will use, so that no Response can slip past.
    const QString token = newToken();
    const QString predicted = requestPath(token);
    followRequest(predicted, kSessionResponseSlot);
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kShortcutsInterface,
                                                       QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), newToken()}};
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCreateSessionTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
        forgetRequest(predicted, kSessionResponseSlot);
        qCWarning(lcShortcut).noquote() << QStringLiteral("No global shortcut: the desktop portal offers none (%1: %2)")
                                               .arg(reply.errorName(), reply.errorMessage());
        return noPortalStatus;
    }
    const QString handle = pathOf(reply.arguments().front());
    if (handle != predicted) {
        // A portal older than the predictable paths.
        forgetRequest(predicted, kSessionResponseSlot);
        followRequest(handle, kSessionResponseSlot);
    }
    sessionRequest_ = handle;
    return 0;
}

void PortalHotKeyBackend::handleSessionResponse(uint response, const QVariantMap& results,
                                                const QDBusMessage& message) {
    forgetRequest(message.path(), kSessionResponseSlot);
    if (message.path() != sessionRequest_) {
        return;
    }
    sessionRequest_.clear();
    if (response != 0) {
        qCWarning(lcShortcut) << "No global shortcut: the desktop portal refused a session, response" << response;
        return;
    }
    session_ = pathOf(results.value(QStringLiteral("session_handle")));
    sessionBound_ = false;
    boundTriggers_.clear();
    if (session_.isEmpty()) {
        qCWarning(lcShortcut) << "No global shortcut: the desktop portal's session came without a handle";
        return;
    }
    bindRegisteredKeys();
}

void PortalHotKeyBackend::closeSession() {
    if (session_.isEmpty()) {
        return;
    }
    bus_.send(QDBusMessage::createMethodCall(kPortalService, session_, kSessionInterface, QStringLiteral("Close")));
    session_.clear();
    sessionBound_ = false;
    boundTriggers_.clear();
}

void PortalHotKeyBackend::scheduleBinding() {
    if (bindingScheduled_) {
        return;
    }
    bindingScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            bindingScheduled_ = false;
            bindRegisteredKeys();
        },
        Qt::QueuedConnection);
}

void PortalHotKeyBackend::followPortal(const QString& /*service*/, const QString& oldOwner, const QString& newOwner) {
    if (!oldOwner.isEmpty()) {
        // Our sessions ended with the portal that held them (a crash, an upgrade).
        sessionRequest_.clear();
        session_.clear();
        sessionBound_ = false;
        boundTriggers_.clear();
    }
    // A portal the bus has just started for our own CreateSession finds that request pending.
    if (!newOwner.isEmpty() && handler_) {
        bindRegisteredKeys();
    }
}

QStringList PortalHotKeyBackend::registeredTriggers() const {
    QStringList triggers;
    for (const auto& [identifier, trigger] : triggers_) {
        if (!triggers.contains(trigger)) {
            triggers << trigger;
        }
    }
    triggers.sort();
    return triggers;
}

void PortalHotKeyBackend::bindRegisteredKeys() {
    if (!sessionRequest_.isEmpty()) {
        return;  // runs again once the session exists
    }
    const QStringList wanted = registeredTriggers();
    if (sessionBound_ ? wanted == boundTriggers_ : wanted.isEmpty()) {
        return;
    }
    // A session takes one binding; closing it also frees keys no longer wanted.
    if (sessionBound_) {
        closeSession();
    }
    if (wanted.isEmpty()) {
        return;
    }
    if (session_.isEmpty()) {
        createSession();  // binds when the session arrives; a failure is logged
        return;
    }
    bindShortcuts(wanted);
}

void PortalHotKeyBackend::bindShortcuts(const QStringList& triggers) {
    const QString token = newToken();
    const QString predicted = requestPath(token);
    followRequest(predicted, kBindResponseSlot);
    // The trigger doubles as the shortcut's id: a changed key is a new shortcut
    // to the desktop, which then offers the new key rather than keeping the old.
    ShortcutList shortcuts;
    for (const QString& trigger : triggers) {
        shortcuts.append(
            {trigger, {{QStringLiteral("description"), description_}, {QStringLiteral("preferred_trigger"), trigger}}});
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kShortcutsInterface,
                                                       QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    sessionBound_ = true;
    boundTriggers_ = triggers;
    // Not waited for: the desktop may put a dialog before the user.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, predicted](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        if (reply.isError()) {
            forgetRequest(predicted, kBindResponseSlot);
            qCWarning(lcShortcut).noquote()
                << QStringLiteral("No global shortcut: the desktop portal did not bind it (%1: %2)")
                       .arg(reply.error().name(), reply.error().message());
        } else if (reply.value().path() != predicted) {
            forgetRequest(predicted, kBindResponseSlot);
            followRequest(reply.value().path(), kBindResponseSlot);
        }
    });
}

void PortalHotKeyBackend::handleBindResponse(uint response, const QVariantMap& results, const QDBusMessage& message) {
    forgetRequest(message.path(), kBindResponseSlot);
    if (response != 0) {
        qCWarning(lcShortcut) << "No global shortcut: the desktop did not bind it, portal response" << response;
        return;
    }
    // The user may have chosen other keys in the desktop's dialog; only the desktop knows them.
    for (const auto& [id, properties] : qdbus_cast<ShortcutList>(results.value(QStringLiteral("shortcuts")))) {
        qCDebug(lcShortcut) << "Global shortcut" << id << "bound to"
                            << properties.value(QStringLiteral("trigger_description")).toString();
    }
}

void PortalHotKeyBackend::handleActivated(const QDBusObjectPath& session, const QString& shortcutId,
                                          qulonglong /*timestamp*/, const QVariantMap& /*options*/) {
    if (!handler_ || !sessionBound_ || session.path() != session_) {
        return;
    }
    // The newest registration of a key is the live one.
    for (auto entry = triggers_.rbegin(); entry != triggers_.rend(); ++entry) {
        if (entry->second == shortcutId) {
            handler_(entry->first);
            return;
        }
    }
}

}  // namespace ledgerly
