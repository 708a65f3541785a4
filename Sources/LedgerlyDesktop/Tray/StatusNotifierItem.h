#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <QString>

class QDBusServiceWatcher;

namespace ledgerly {

// Our entry in StatusNotifierItem panels (KDE Plasma, GNOME's AppIndicator
// extension, waybar, ...): the item on the session bus, registered with
// every StatusNotifierWatcher that comes up, also after the panel restarts.
// The panel draws the menu exported at menuObjectPath itself.
class StatusNotifierItem final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* objectPath = "/StatusNotifierItem";
    static constexpr const char* menuObjectPath = "/MenuBar";
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";

    // `menuObject` carries the menu's D-Bus adaptor; it is exported, not owned.
    StatusNotifierItem(QDBusConnection bus, QObject* menuObject, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Claims the item's bus name, exports the item and its menu and follows
    // watchers from now on. False when there is no bus or the export failed.
    bool publish();
    // Whether a watcher has accepted the item: a panel can show it now.
    bool isRegistered() const { return registered_; }
    // Whether a watcher exists now (registration may still be under way).
    bool watcherExists() const;
    QString serviceName() const { return serviceName_; }

    // What the panel shows when the pointer rests on the item.
    void setToolTipTitle(const QString& title);
    QString toolTipTitle() const { return toolTipTitle_; }

    // Called by the item's D-Bus interface.
    void activate(QPoint position);

signals:
    // The panel asks for our menu at `position`, in screen coordinates (a host that calls Activate or ContextMenu).
    void activationRequested(QPoint position);
    // A watcher accepted the item; or it refused it, or went away.
    void registrationChanged(bool registered);
    void toolTipChanged();

private:
    void registerWithWatcher();
    void setRegistered(bool registered);

    QDBusConnection bus_;
    QObject* menuObject_;
    QDBusServiceWatcher* watcher_ = nullptr;
    QString serviceName_;
    QString toolTipTitle_;
    bool registered_ = false;
};

}  // namespace ledgerly
