#pragma once
// The main dialog "导出印刷格式": the pattern path, "开始", the status line and a green
// progress bar. "开始" runs the export on a worker thread; the file and options dialogs it
// asks for are shown on the window's thread while the worker waits for the answer.
#include "tiffwriter/export_run.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace brenmark {

// The dialogs of the page writer as windows.
class QtPageExportDialogs final : public PageExportDialogs {
public:
    explicit QtPageExportDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> askOutputName(const std::string& title, const std::string& filter,
                                             const std::string& startIn) override;
    std::optional<PrintOptions> askOptions(const PrintOptions& defaults) override;

private:
    QWidget* parent_;
};

class PresslyWindow : public QDialog {
    Q_OBJECT
public:
    // dialogs are used on the window's thread only.
    PresslyWindow(PageExportSetup setup, PageExportDialogs& dialogs, QWidget* parent = nullptr);
    ~PresslyWindow() override;

    QString statusText() const;
    int progressValue() const;
    bool running() const { return running_; }
    // The last run's result (after finished()).
    const PageExportResult& result() const { return result_; }

    // Whether "取消" was pressed during the run at hand.
    bool cancelRequested() const { return cancel_; }

public slots:
    void start();
    // "取消": the run stops after the page at hand, leaving the old output as it was.
    void cancel();
    // The window stays while a run is going: the worker may still ask for a dialog.
    void reject() override;

signals:
    void finished();

private:
    void setStatus(const std::string& text);
    void setProgress(int percent);
    void done(PageExportResult result);

    PageExportSetup setup_;
    PageExportDialogs& dialogs_;
    QLabel* path_;
    QPushButton* start_;
    QPushButton* cancelButton_;
    QLabel* status_;
    QProgressBar* progress_;
    std::thread worker_;
    bool running_ = false;
    std::atomic<bool> cancel_{false};
    PageExportResult result_;
};

// How a path is shown: its bytes as UTF-8 when they are, else as GBK.
QString displayPath(const std::string& path);

}  // namespace brenmark
