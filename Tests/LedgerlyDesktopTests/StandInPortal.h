#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

namespace ledgerly::testing {

// org.freedesktop.portal.Desktop on the session bus as the published portal
// interfaces describe it: GlobalShortcuts' CreateSession and BindShortcuts
// answer through a Request object's Response signal at the path made of the
// caller's unique name and its handle_token, a session takes one binding, and
// Session.Close ends it. It answers on a thread of its own, so that a caller
// blocked in a call on the main thread still gets its reply.
class StandInPortal : public QDBusVirtualObject {
public:
    struct Shortcut {
        QString id;
        QString description;
        QString preferredTrigger;
    };
    struct Binding {
        QString session;
        QList<Shortcut> shortcuts;
    };

    // Without GlobalShortcuts the portal answers its methods as a portal whose desktop has none.
    explicit StandInPortal(bool offersGlobalShortcuts = true);
    ~StandInPortal() override;

    bool registered() const { return registered_; }
    QStringList sessions() const;
    QStringList closedSessions() const;
    QList<Binding> bindings() const;

    // Emits GlobalShortcuts.Activated as the portal does when the desktop sees the keys.
    void activate(const QString& session, const QString& shortcutId);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

private:
    QDBusMessage createSession(const QDBusMessage& message);
    QDBusMessage bindShortcuts(const QDBusMessage& message);
    QDBusMessage closeSession(const QDBusMessage& message);
    void respond(const QString& requestPath, const QVariantMap& results);

    bool offersGlobalShortcuts_;
    QThread thread_;
    QDBusConnection connection_;
    bool registered_ = false;
    mutable QMutex mutex_;
    QStringList sessions_;
    QStringList closedSessions_;
    QList<Binding> bindings_;
};

}  // namespace ledgerly::testing
