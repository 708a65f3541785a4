#include "LedgerlyDesktop/System/QtPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ledgerly {

void QtPasteboard::setString(const std::string& text) {
    // New mime data replaces every format the clipboard held, not just text/plain.
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(text));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

}  // namespace ledgerly
