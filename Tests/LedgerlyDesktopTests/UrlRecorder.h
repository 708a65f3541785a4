#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <QVector>

namespace ledgerly::testing {

// Stands in for the desktop's handler of one URL scheme while it exists, so
// tests see what QDesktopServices was asked to open without starting anything.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(QString scheme) : scheme_(std::move(scheme)) {
        QDesktopServices::setUrlHandler(scheme_, this, "record");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(scheme_); }

    const QVector<QUrl>& urls() const { return urls_; }

public slots:
    void record(const QUrl& url) { urls_.append(url); }

private:
    QString scheme_;
    QVector<QUrl> urls_;
};

}  // namespace ledgerly::testing
