#include "LedgerlyDesktop/QtApplication.h"

#include "LedgerlyCore/Version.h"
#include "LedgerlyDesktop/Shortcut/ModifierFlags.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QWidget>

namespace ledgerly {

QtApplication::QtApplication() = default;

QtApplication::~QtApplication() { delete aboutPanel_; }

void QtApplication::bringToFront() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->raise();
            window->activateWindow();
        }
    }
}

QString QtApplication::aboutText() {
    return QStringLiteral(
               "<h3>Ledgerly</h3><p>Version %1</p>"
               "<p>Your bookmarks from one Markdown file, one click away in the tray.</p>")
        .arg(QString::fromLatin1(versionString()));
}

void QtApplication::showAboutDialog() {
    if (aboutPanel_ == nullptr) {
        aboutPanel_ = new QMessageBox;
        aboutPanel_->setAttribute(Qt::WA_DeleteOnClose);
        aboutPanel_->setWindowTitle(QStringLiteral("About Ledgerly"));
        aboutPanel_->setTextFormat(Qt::RichText);
        aboutPanel_->setText(aboutText());
        aboutPanel_->setIconPixmap(QIcon(QStringLiteral(":/ledgerly/icons/ledgerly.svg")).pixmap(64, 64));
        aboutPanel_->setStandardButtons(QMessageBox::Close);
    }
    aboutPanel_->show();
    aboutPanel_->raise();
    aboutPanel_->activateWindow();
}

void QtApplication::terminate() { QCoreApplication::quit(); }

std::optional<std::uint64_t> QtApplication::currentEventModifierFlags() const {
    return modifierFlagsFromQt(QGuiApplication::queryKeyboardModifiers());
}

}  // namespace ledgerly
