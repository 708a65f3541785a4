#include "TemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace ledgerly::testing {

TemporaryFolder::TemporaryFolder() {
    if (!directory_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
}

QString TemporaryFolder::path() const { return directory_.path(); }

QString TemporaryFolder::filePath(const QString& relative) const { return directory_.filePath(relative); }

void TemporaryFolder::write(const QString& relative, const QByteArray& contents) const {
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        throw std::runtime_error("could not write " + target.toStdString());
    }
}

QByteArray TemporaryFolder::read(const QString& relative) const {
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

}  // namespace ledgerly::testing
