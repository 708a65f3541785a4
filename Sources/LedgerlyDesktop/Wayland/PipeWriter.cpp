#include "LedgerlyDesktop/Wayland/PipeWriter.h"

#include "LedgerlyDesktop/LogCategories.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace ledgerly {

void PipeWriter::start(int fileDescriptor, QByteArray bytes) {
    auto* writer = new PipeWriter(fileDescriptor, std::move(bytes));
    writer->writeSome();
}

PipeWriter::PipeWriter(int fileDescriptor, QByteArray bytes)
    : fileDescriptor_(fileDescriptor), bytes_(std::move(bytes)) {
    ::fcntl(fileDescriptor_, F_SETFL, ::fcntl(fileDescriptor_, F_GETFL) | O_NONBLOCK);
}

PipeWriter::~PipeWriter() { ::close(fileDescriptor_); }

void PipeWriter::writeSome() {
    while (written_ < bytes_.size()) {
        const ssize_t count =
            ::write(fileDescriptor_, bytes_.constData() + written_, static_cast<size_t>(bytes_.size() - written_));
        if (count > 0) {
            written_ += count;
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (notifier_ == nullptr) {
                notifier_ = new QSocketNotifier(fileDescriptor_, QSocketNotifier::Write, this);
                connect(notifier_, &QSocketNotifier::activated, this, &PipeWriter::writeSome);
            }
            return;
        }
        qCWarning(lcMenu) << "could not hand the copied text over:" << std::strerror(errno);
        break;
    }
    if (notifier_ != nullptr) {
        notifier_->setEnabled(false);
    }
    deleteLater();
}

}  // namespace ledgerly
