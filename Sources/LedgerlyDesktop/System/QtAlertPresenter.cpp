#include "LedgerlyDesktop/System/QtAlertPresenter.h"

#include <QMessageBox>
#include <QPushButton>

namespace ledgerly {

void QtAlertPresenter::configure(QMessageBox& box, const std::string& messageText, const std::string& informativeText) {
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Ledgerly"));
    box.setText(QString::fromStdString(messageText));
    box.setInformativeText(QString::fromStdString(informativeText));
    box.setStandardButtons(QMessageBox::NoButton);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
}

void QtAlertPresenter::runWarningAlert(const std::string& messageText, const std::string& informativeText) {
    QMessageBox box;
    configure(box, messageText, informativeText);
    box.exec();
}

}  // namespace ledgerly
