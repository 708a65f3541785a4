#pragma once

#include "LedgerlyCore/Settings/HotKeyBackend.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>
#include <map>

class QDBusMessage;

namespace ledgerly {

// Global hot keys on Wayland, where no client may grab keys: the desktop
// portal's GlobalShortcuts interface binds them for us and reports presses.
// A portal session takes one binding only, so every change of the bound keys
// closes the session and binds the whole set on a fresh one; a restarted
// portal gets the set again. Main thread only.
class PortalHotKeyBackend final : public QObject, public HotKeyBackend {
    Q_OBJECT

public:
    // No portal on the bus, or one without GlobalShortcuts.
    static constexpr std::int32_t noPortalStatus = -1;
    // The key has no name in our key table, so no trigger can be written for it.
    static constexpr std::int32_t unnamedKeyStatus = -2;

    // `description` tells the user, in the desktop's shortcut settings, what the keys do.
    PortalHotKeyBackend(QDBusConnection bus, QString description);
    ~PortalHotKeyBackend() override;

    // Asks the portal for a session; waits for the portal's reply to the call but
    // not for the session itself, whose refusal is logged.
    std::int32_t installPressHandler(PressHandler handler) override;
    void removePressHandler() override;
    // Binds on the next turn of the event loop, so that replacing one key with
    // another binds once; the desktop may ask the user first, and a refusal is logged.
    std::int32_t registerHotKey(std::uint32_t identifier, std::uint32_t keyCode,
                                std::uint32_t carbonModifiers) override;
    void unregisterHotKey(std::uint32_t identifier) override;

    // The trigger in the shortcuts' own notation ("CTRL+ALT+LOGO+s"), empty for a key without a name.
    static QString trigger(std::uint32_t keyCode, std::uint32_t carbonModifiers);

private slots:
    void handleSessionResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
    void handleBindResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
    void handleActivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                         const QVariantMap& options);
    void followPortal(const QString& service, const QString& oldOwner, const QString& newOwner);

private:
    // Where the portal puts the Request object of a call made with `token`.
    QString requestPath(const QString& token) const;
    QString newToken() const;
    void followRequest(const QString& requestPath, const char* slot);
    void forgetRequest(const QString& requestPath, const char* slot);
    std::int32_t createSession();
    void closeSession();
    void scheduleBinding();
    void bindRegisteredKeys();
    void bindShortcuts(const QStringList& triggers);
    QStringList registeredTriggers() const;

    QDBusConnection bus_;
    QString description_;
    PressHandler handler_;
    // Registrations in the order they came: the newest of a trigger is the live one.
    std::map<std::uint32_t, QString> triggers_;
    QString sessionRequest_;  // the CreateSession request awaiting its Response
    QString session_;         // the session in use, empty while there is none
    bool sessionBound_ = false;
    QStringList boundTriggers_;
    bool bindingScheduled_ = false;
};

}  // namespace ledgerly
