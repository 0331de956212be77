#pragma once
// JPEG files written off the user-interface thread: the chart goes to a temporary BMP, a
// worker thread reads it and writes the JPEG (quality 80), and the completion comes back to
// the thread that started it as the event kJpegDoneMessage, where the temporary file is
// deleted and the caller's done step runs.
#include <QEvent>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace brenmark {

inline constexpr int kJpegDoneMessage = 5024;

class JpegConversions final : public QObject {
public:
    // ok: the JPEG was written whole under its name.
    using Done = std::function<void(const QString& jpegPath, bool ok)>;

    JpegConversions();
    // Waits for the conversions still running; their done steps do not run.
    ~JpegConversions() override;

    // Takes over bmpPath (a temporary file, deleted when the conversion ends) and writes
    // jpegPath from it on a worker thread.
    void start(const QString& bmpPath, const QString& jpegPath, Done done);
    int running() const { return static_cast<int>(jobs_.size()); }

    static QEvent::Type doneEventType();

protected:
    bool event(QEvent* e) override;

private:
    struct Job;
    std::vector<std::unique_ptr<Job>> jobs_;
};

// A temporary BMP path in the system's temporary folder named after the chosen file.
QString temporaryBmpPath(const QString& chosen);

}  // namespace brenmark
