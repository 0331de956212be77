#pragma once
// The window shown while the editor starts: the splash picture stretched over it, or plain
// blue when the picture is missing.
#include <QImage>
#include <QWidget>

#include <string>

namespace brenmark {

class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    // The picture is read once, here, and kept for every paint.
    explicit SplashWindow(const std::string& picturePath, QWidget* parent = nullptr);
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// The splash picture of a program directory.
std::string splashPicturePath(const std::string& programDir);

// Keeps the event loop turning for at least ms milliseconds, so the splash is seen.
void showForAtLeast(int ms);

// The start-up check-in with the web service; it may end the program (false). Nothing to
// check in with yet.
bool runStartupCheckIn();

}  // namespace brenmark
