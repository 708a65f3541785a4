#pragma once

#include "LedgerlyCore/Platform/Workspace.h"

#include <QDBusConnection>

namespace ledgerly {

// Opens URLs with the user's chosen applications (QDesktopServices runs the
// desktop's opener directly, never a shell) and reveals files through the
// file manager's D-Bus interface.
class QtWorkspace final : public Workspace {
public:
    explicit QtWorkspace(QDBusConnection bus = QDBusConnection::sessionBus());

    void openURL(const std::string& urlString) override;
    // Asks org.freedesktop.FileManager1 to show the file; opens its folder when no file manager answers.
    void revealInFileManager(const std::filesystem::path& file) override;

private:
    QDBusConnection bus_;
};

}  // namespace ledgerly
