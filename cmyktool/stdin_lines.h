#pragma once
// Lines arriving on standard input, one signal each, read without blocking the event loop.
// Used where another program (a script, a test) drives a window program line by line.
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace brenmark::glimbert {

class StdinLines : public QObject {
    Q_OBJECT
public:
    explicit StdinLines(QObject* parent = nullptr);

signals:
    // One line without its end (UTF-8 decoded).
    void line(const QString& text);
    // Standard input was closed.
    void finished();

private:
    void readAvailable();

    QSocketNotifier* notifier_;
    QByteArray pending_;
};

// Writes one line to standard output and flushes it at once, so a reader waiting for it
// sees it now.
void printLine(const QString& text);

}  // namespace brenmark::glimbert
