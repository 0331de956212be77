#include "tiffwriter/pressly_window.h"

#include "editor/widgets/message_box.h"
#include "editor/widgets/qt_file_filter.h"
#include "interchange/gbk_qstring.h"
#include "tiffwriter/options_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {
namespace {

// What the worker thread sees of the window: every call runs on the window's thread, the
// dialogs waiting for their answers, the status texts sent on.
class WorkerBridge final : public PageExportDialogs, public PageExportStatus {
public:
    WorkerBridge(QObject* window, PageExportDialogs& dialogs, std::function<void(const std::string&)> status,
                 std::function<void(int)> progress, const std::atomic<bool>& cancel)
        : window_(window), dialogs_(dialogs), status_(std::move(status)), progress_(std::move(progress)), cancel_(cancel)
    {
    }
    bool cancelled() const override { return cancel_; }

    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        QMetaObject::invokeMethod(window_, [&] { dialogs_.show(text, title, icon); }, Qt::BlockingQueuedConnection);
    }
    std::optional<std::string> askOutputName(const std::string& title, const std::string& filter,
                                             const std::string& startIn) override
    {
        std::optional<std::string> answer;
        QMetaObject::invokeMethod(window_, [&] { answer = dialogs_.askOutputName(title, filter, startIn); },
                                  Qt::BlockingQueuedConnection);
        return answer;
    }
    std::optional<PrintOptions> askOptions(const PrintOptions& defaults) override
    {
        std::optional<PrintOptions> answer;
        QMetaObject::invokeMethod(window_, [&] { answer = dialogs_.askOptions(defaults); }, Qt::BlockingQueuedConnection);
        return answer;
    }
    void status(const std::string& text) override
    {
        QMetaObject::invokeMethod(window_, [f = status_, text] { f(text); }, Qt::QueuedConnection);
    }
    void progress(int percent) override
    {
        QMetaObject::invokeMethod(window_, [f = progress_, percent] { f(percent); }, Qt::QueuedConnection);
    }

private:
    QObject* window_;
    PageExportDialogs& dialogs_;
    std::function<void(const std::string&)> status_;
    std::function<void(int)> progress_;
    const std::atomic<bool>& cancel_;
};

}  // namespace

QString displayPath(const std::string& path)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArray::fromStdString(path));
    return utf8.hasError() ? fromGbk(path) : text;
}

void QtPageExportDialogs::show(const std::string& text, const std::string& title, MessageIcon icon)
{
    showMessageBox(parent_, text, title, icon, Qt::WindowStaysOnTopHint);
}

std::optional<std::string> QtPageExportDialogs::askOutputName(const std::string& title, const std::string& filter,
                                                              const std::string& startIn)
{
    QFileDialog dialog(parent_, fromGbk(title), QFile::decodeName(QByteArray::fromStdString(startIn)), qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<PrintOptions> QtPageExportDialogs::askOptions(const PrintOptions& defaults)
{
    OptionsDialog dialog(defaults, parent_);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

PresslyWindow::PresslyWindow(PageExportSetup setup, PageExportDialogs& dialogs, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)), dialogs_(dialogs)
{
    setWindowTitle(uiQString("导出印刷格式"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    path_ = new QLabel(displayPath(setup_.patternPath), this);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    start_ = new QPushButton(uiQString("开始"), this);
    cancelButton_ = new QPushButton(uiQString("取消"), this);
    cancelButton_->setObjectName(u"cancel"_qs);
    cancelButton_->setEnabled(false);
    status_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setFormat(u"%p%"_qs);  // the percentage as "%d%%"
    progress_->setTextVisible(true);
    progress_->setStyleSheet(u"QProgressBar { text-align: center; } QProgressBar::chunk { background-color: #00FF00; }"_qs);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    layout->addWidget(start_);
    layout->addWidget(cancelButton_);
    layout->addWidget(status_);
    layout->addWidget(progress_);
    resize(480, sizeHint().height());
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    connect(start_, &QPushButton::clicked, this, &PresslyWindow::start);
    connect(cancelButton_, &QPushButton::clicked, this, &PresslyWindow::cancel);
}

PresslyWindow::~PresslyWindow()
{
    if (worker_.joinable())
        worker_.join();
}

QString PresslyWindow::statusText() const
{
    return status_->text();
}

int PresslyWindow::progressValue() const
{
    return progress_->value();
}

void PresslyWindow::setStatus(const std::string& text)
{
    status_->setText(fromGbk(text));
}

void PresslyWindow::setProgress(int percent)
{
    progress_->setValue(std::clamp(percent, 0, 100));
}

void PresslyWindow::start()
{
    if (running_)
        return;
    if (worker_.joinable())
        worker_.join();
    running_ = true;
    cancel_ = false;
    start_->setEnabled(false);
    cancelButton_->setEnabled(true);
    worker_ = std::thread([this] {
        WorkerBridge bridge(
            this, dialogs_, [this](const std::string& text) { setStatus(text); }, [this](int percent) { setProgress(percent); },
            cancel_);
        PageExportResult result = runPageExport(setup_, bridge, bridge);
        QMetaObject::invokeMethod(this, [this, result = std::move(result)]() mutable { done(std::move(result)); },
                                  Qt::QueuedConnection);
    });
}

void PresslyWindow::cancel()
{
    if (running_)
        cancel_ = true;
}

void PresslyWindow::reject()
{
    if (!running_)
        QDialog::reject();
}

void PresslyWindow::done(PageExportResult result)
{
    result_ = std::move(result);
    if (worker_.joinable())
        worker_.join();
    running_ = false;
    start_->setEnabled(true);
    cancelButton_->setEnabled(false);
    emit finished();
}

}  // namespace brenmark
