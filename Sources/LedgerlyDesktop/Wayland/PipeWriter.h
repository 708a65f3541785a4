#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

namespace ledgerly {

// Writes bytes into a pipe without waiting on a slow reader: what does not
// fit now goes out as the pipe drains. Closes the pipe and deletes itself
// once all is written or the reader went away.
class PipeWriter final : public QObject {
    Q_OBJECT

public:
    // Takes `fileDescriptor` over.
    static void start(int fileDescriptor, QByteArray bytes);
    ~PipeWriter() override;

private:
    PipeWriter(int fileDescriptor, QByteArray bytes);
    void writeSome();

    int fileDescriptor_;
    QByteArray bytes_;
    qsizetype written_ = 0;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace ledgerly
