#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

namespace ledgerly::testing {

// org.freedesktop.FileManager1 on the session bus, recording what it is asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    explicit FakeFileManager(QDBusConnection bus) : bus_(std::move(bus)) {
        bus_.registerObject("/org/freedesktop/FileManager1", this, QDBusConnection::ExportAllSlots);
        registered_ = bus_.registerService("org.freedesktop.FileManager1");
    }
    ~FakeFileManager() override {
        bus_.unregisterService("org.freedesktop.FileManager1");
        bus_.unregisterObject("/org/freedesktop/FileManager1");
    }

    bool registered() const { return registered_; }
    const QStringList& shown() const { return shown_; }

public slots:
    void ShowItems(const QStringList& uris, const QString& startupId) {
        Q_UNUSED(startupId);
        shown_ << uris;
    }

private:
    QDBusConnection bus_;
    bool registered_ = false;
    QStringList shown_;
};

}  // namespace ledgerly::testing
