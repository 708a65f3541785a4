#pragma once

#include <QDBusAbstractAdaptor>
#include <QString>

#include <memory>

namespace ledgerly {

class LedgerlyAppDelegate;

// org.ledgerly.Ledgerly on the session bus: how a Wayland desktop's own key
// bindings open the menu, and how scripts and tests look at it.
class ControlInterface final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.ledgerly.Ledgerly")
    Q_PROPERTY(QString StatusTitle READ statusTitle)
    Q_PROPERTY(QString MenuJson READ menuJson)

public:
    static constexpr const char* serviceName = "org.ledgerly.Ledgerly";
    static constexpr const char* objectPath = "/org/ledgerly/Ledgerly";
    static constexpr const char* interfaceName = "org.ledgerly.Ledgerly";

    // Attaches the interface to `object`, which owns it.
    ControlInterface(std::weak_ptr<LedgerlyAppDelegate> delegate, QObject* object);

    QString statusTitle() const;
    // {"statusTitle": ..., "menu": ...}, as `ledgerly-check --menu --json` prints it.
    QString menuJson() const;

public slots:
    // Pops the menu when the presentation gate allows it, as the global shortcut does.
    void ShowMenu();
    // Reads the selected file again, as "Refresh" does.
    void Refresh();

private:
    std::weak_ptr<LedgerlyAppDelegate> delegate_;
};

}  // namespace ledgerly
