#pragma once

#include <QString>
#include <QTemporaryDir>

namespace ledgerly::testing {

// A folder removed with its contents when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder();

    QString path() const;
    // `relative` under the folder.
    QString filePath(const QString& relative) const;
    // Writes `contents` to `relative`, creating folders on the way.
    void write(const QString& relative, const QByteArray& contents) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir directory_;
};

}  // namespace ledgerly::testing
