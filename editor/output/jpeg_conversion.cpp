#include "editor/output/jpeg_conversion.h"

#include "editor/output/chart_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>

namespace brenmark {

namespace {

class JpegDoneEvent final : public QEvent {
public:
    JpegDoneEvent(const void* of, bool written) : QEvent(JpegConversions::doneEventType()), job(of), ok(written) {}
    const void* job;
    bool ok;
};

class JpegWorker final : public QThread {
public:
    JpegWorker(QString bmp, QString jpeg, QObject* receiver, const void* job)
        : bmp_(std::move(bmp)), jpeg_(std::move(jpeg)), receiver_(receiver), job_(job)
    {
    }

protected:
    void run() override
    {
        const bool ok = convertToJpeg(bmp_, jpeg_);
        // The receiver outlives the thread: its destructor waits for it.
        QCoreApplication::postEvent(receiver_, new JpegDoneEvent(job_, ok));
    }

private:
    const QString bmp_, jpeg_;
    QObject* receiver_;
    const void* job_;
};

}  // namespace

struct JpegConversions::Job {
    QString bmp;
    QString jpeg;
    Done done;
    std::unique_ptr<JpegWorker> worker;
};

JpegConversions::JpegConversions() = default;

JpegConversions::~JpegConversions()
{
    for (auto& job : jobs_) {
        job->worker->wait();
        QFile::remove(job->bmp);
    }
    QCoreApplication::removePostedEvents(this, doneEventType());
}

QEvent::Type JpegConversions::doneEventType()
{
    return static_cast<QEvent::Type>(QEvent::User + kJpegDoneMessage);
}

void JpegConversions::start(const QString& bmpPath, const QString& jpegPath, Done done)
{
    auto job = std::make_unique<Job>();
    job->bmp = bmpPath;
    job->jpeg = jpegPath;
    job->done = std::move(done);
    job->worker = std::make_unique<JpegWorker>(bmpPath, jpegPath, this, job.get());
    JpegWorker* worker = job->worker.get();
    jobs_.push_back(std::move(job));
    worker->start();
}

bool JpegConversions::event(QEvent* e)
{
    if (e->type() != doneEventType())
        return QObject::event(e);
    const auto* done = static_cast<JpegDoneEvent*>(e);
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](const auto& j) { return j.get() == done->job; });
    if (it == jobs_.end())
        return true;
    std::unique_ptr<Job> job = std::move(*it);
    jobs_.erase(it);
    job->worker->wait();
    QFile::remove(job->bmp);
    if (job->done)
        job->done(job->jpeg, done->ok);
    return true;
}

QString temporaryBmpPath(const QString& chosen)
{
    const QString base = QFileInfo(withExtension(chosen, QString())).fileName();
    QTemporaryFile file(QDir::temp().filePath(base + u"_XXXXXX.bmp"_qs));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName();
}

}  // namespace brenmark
