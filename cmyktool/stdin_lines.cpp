#include "cmyktool/stdin_lines.h"

#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace brenmark::glimbert {

namespace {
// A line longer than this is cut: nobody driving us has a reason to send one.
constexpr qsizetype kMaxLine = 4096;
}  // namespace

StdinLines::StdinLines(QObject* parent)
    : QObject(parent), notifier_(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(notifier_, &QSocketNotifier::activated, this, &StdinLines::readAvailable);
}

void StdinLines::readAvailable()
{
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        notifier_->setEnabled(false);
        if (!pending_.isEmpty())
            emit line(QString::fromUtf8(pending_));
        pending_.clear();
        emit finished();
        return;
    }
    pending_.append(buffer, got);
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        QByteArray text = pending_.left(end);
        pending_.remove(0, end + 1);
        if (text.endsWith('\r'))
            text.chop(1);
        emit line(QString::fromUtf8(text.left(kMaxLine)));
    }
    if (pending_.size() > kMaxLine)
        pending_.truncate(kMaxLine);
}

void printLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

}  // namespace brenmark::glimbert
