#include "editor/app/splash_window.h"

#include "editor/document/program_directory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QThread>

namespace brenmark {

SplashWindow::SplashWindow(const std::string& picturePath, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(u"splash"_qs);
    const QString path = QFile::decodeName(QByteArray::fromStdString(picturePath));
    if (QFile::exists(path))
        picture_.load(path);
    resize(480, 320);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (picture_.isNull())
        p.fillRect(rect(), QColor(0, 0, 255));  // COLORREF 0xFF0000
    else
        p.drawImage(rect(), picture_);
}

std::string splashPicturePath(const std::string& programDir)
{
    return expandPathTemplate(kSplashTemplate, {programDir});
}

void showForAtLeast(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

bool runStartupCheckIn()
{
    return true;
}

}  // namespace brenmark
