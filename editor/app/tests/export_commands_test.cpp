// The export commands over a session: titles, filters, the files each choice writes, the
// done messages (the JPEG's only once the worker has written it), the refusals, and the
// hand-off of a saved pattern to the page writer.
#include "editor/app/app_commands.h"
#include "editor/render/tests/chart_test_support.h"
#include "editor/app/editor_session.h"
#include "editor/app/export_commands.h"
#include "editor/app/export_windows.h"
#include "editor/app/status_progress.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/document/path_scramble.h"
#include "editor/document/pattern_file.h"
#include "editor/render/chart_export.h"

#include <QProcess>
#include "interchange/gbk_qstring.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

class ScriptedExportDialogs final : public ExportDialogs {
public:
    std::optional<ExportOptions> answer = ExportOptions{};
    std::vector<std::string> log;
    std::vector<ExportOptions> shown;
    std::optional<ExportOptions> imageOptions(const ExportOptions& s) override
    {
        log.push_back("导出提示");
        shown.push_back(s);
        return answer;
    }
    std::optional<ExportOptions> vectorOptions(const ExportOptions& s) override
    {
        log.push_back("导出矢量绣图");
        shown.push_back(s);
        return answer;
    }
};

class RecordingStarter final : public ProgramStarter {
public:
    bool succeeds = true;
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override
    {
        started.emplace_back(program, arguments);
        return succeeds;
    }
};

class CountingProgress final : public ProgressReport {
public:
    std::vector<int> positions;
    bool stop = false;  // as the status bar's "取消" once pressed
    void setRange(int, int) override {}
    void setPosition(int p) override { positions.push_back(p); }
    bool cancelled() const override { return stop; }
};

PatternDocument checker(int w, int h)
{
    PatternDocument doc = test::checkerPattern(w, h);
    doc.layers.backgroundFromGrid(doc);
    return doc;
}

struct ExportCommandsTest : ::testing::Test {
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    ScriptedExportDialogs exportDialogs;
    RecordingStarter starter;
    CountingProgress progress;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<ExportCommands> exports;

    void SetUp() override
    {
        session = std::make_unique<EditorSession>(SessionSetup{dir.path(), &dialogs, nullptr, nullptr, nullptr});
        exports = std::make_unique<ExportCommands>(*session, exportDialogs, starter, dir.path(), &progress,
                                                   [](bool portrait) { return portrait ? paperUnits(210, 297) : paperUnits(297, 210); });
        exports->route(session->router());
    }
    void open(PatternDocument doc, const std::string& path = {})
    {
        session->commands().replacePattern(std::move(doc), path);
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> t;
        for (const auto& m : dialogs.messages)
            t.push_back(m.text);
        return t;
    }
    void waitForMessages(std::size_t n)
    {
        QElapsedTimer timer;
        timer.start();
        while (dialogs.messages.size() < n && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QStringList entries(const std::string& sub = {}) const
    {
        return QDir(QString::fromStdString(dir.path() + sub)).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_F(ExportCommandsTest, NothingHappensWithoutAnOpenPattern)
{
    for (const int id : {CmdExportChart, CmdExportSimulated, CmdExportVector, CmdExportPdf, CmdExportSvg, CmdExportTiff})
        EXPECT_FALSE(session->runCommand(id)) << id;
    EXPECT_TRUE(exportDialogs.log.empty());
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(ExportCommandsTest, TheWholeChartAsJpegIsDoneOnlyWhenTheWorkerHasWrittenIt)
{
    open(checker(30, 20));
    dialogs.files.push_back(dir.file("chart.a.jpeg"));
    ASSERT_TRUE(session->runCommand(CmdExportChart));
    EXPECT_EQ(exportDialogs.log, std::vector<std::string>{"导出提示"});
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"save:存储绣图JPG"});
    EXPECT_EQ(dialogs.filters, std::vector<std::string>{"绣图JPG (.jpg)|*.jpg|绣图PNG (.png)|*.png|"});
    EXPECT_TRUE(dialogs.messages.empty());  // the worker is still writing
    waitForMessages(1);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"绣图导出完毕"});
    EXPECT_EQ(dialogs.messages[0].title, "提示");
    EXPECT_EQ(entries(), QStringList{u"chart.jpg"_qs});
    EXPECT_EQ(exports->conversions().running(), 0);
    EXPECT_TRUE(QDir::temp().entryList({u"chart_*.bmp"_qs}, QDir::Files).isEmpty());
    const QImage jpeg(QString::fromStdString(dir.file("chart.jpg")));
    EXPECT_EQ(jpeg.width(), 10 * 30 + 104);
}

TEST_F(ExportCommandsTest, PagesAsPngGoIntoTheFoldersFilesWithProgress)
{
    open(checker(20, 20));
    exportDialogs.answer = ExportOptions{false, ExportMode::Pages, false};
    dialogs.files.push_back(dir.file("out/heart.png"));  // the folder "out" is missing too
    ASSERT_TRUE(session->runCommand(CmdExportChart));
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"绣图导出完毕"});
    EXPECT_EQ(entries("out/heart"), (QStringList{u"heart_1.png"_qs, u"heart_KEY.png"_qs}));
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2}));
    // The next export starts at the choices made.
    dialogs.files.push_back(std::nullopt);
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    EXPECT_EQ(exportDialogs.shown.back(), (ExportOptions{false, ExportMode::Pages, false}));
}

TEST_F(ExportCommandsTest, CancellingTheOptionsAsksForNoFile)
{
    open(checker(5, 5));
    exportDialogs.answer = std::nullopt;
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    EXPECT_FALSE(session->runCommand(CmdExportVector));
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(ExportCommandsTest, TheSimulatedPictureIsAJpegOrAPng)
{
    open(checker(12, 8));
    dialogs.files.push_back(dir.file("sim.png"));
    ASSERT_TRUE(session->runCommand(CmdExportSimulated));
    EXPECT_TRUE(exportDialogs.log.empty());
    EXPECT_EQ(dialogs.log[0], "save:存储仿真绣图JPG");
    EXPECT_EQ(dialogs.filters[0], "仿真绣图JPG (.jpg)|*.jpg|仿真绣图PNG (.png)|*.png|");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"仿真图导出完毕"});
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("sim.png"))).width(), 60);

    dialogs.files.push_back(dir.file("sim2"));
    ASSERT_TRUE(session->runCommand(CmdExportSimulated));
    waitForMessages(2);
    EXPECT_EQ(messageTexts().back(), "仿真图导出完毕");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("sim2.jpg"))));
}

TEST_F(ExportCommandsTest, VectorPdfAndSvgChartsFollowTheirDialogs)
{
    open(checker(30, 20));
    dialogs.files.push_back(dir.file("v.EMF"));
    ASSERT_TRUE(session->runCommand(CmdExportVector));
    EXPECT_EQ(exportDialogs.log, std::vector<std::string>{"导出矢量绣图"});
    EXPECT_EQ(dialogs.log.at(dialogs.log.size() - 2), "save:导出矢量绣图EMF");
    EXPECT_EQ(dialogs.filters.back(), "矢量绣图EMF (.EMF)|*.EMF|");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("v.emf"))));

    exportDialogs.answer = ExportOptions{true, ExportMode::Pages, true};
    dialogs.files.push_back(dir.file("p.pdf"));
    ASSERT_TRUE(session->runCommand(CmdExportPdf));
    EXPECT_EQ(dialogs.log.at(dialogs.log.size() - 2), "save:存储绣图PDF");
    dialogs.files.push_back(dir.file("s.svg"));
    ASSERT_TRUE(session->runCommand(CmdExportSvg));
    EXPECT_EQ(dialogs.log.at(dialogs.log.size() - 2), "save:存储绣图SVG");
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"矢量绣图导出完毕", "PDF绣图导出完毕", "SVG绣图导出完毕"}));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("p.pdf"))));
    EXPECT_EQ(entries("s"), (QStringList{u"s_1.svg"_qs, u"s_KEY.svg"_qs}));
}

TEST_F(ExportCommandsTest, TheChartAppPdfIsPagesWithTheFlossListWhateverTheMode)
{
    open(checker(30, 20));
    exportDialogs.answer = ExportOptions{true, ExportMode::Whole, false, 96, true};
    dialogs.files.push_back(dir.file("app.pdf"));
    ASSERT_TRUE(session->runCommand(CmdExportPdf));
    EXPECT_EQ(messageTexts().back(), "PDF绣图导出完毕");
    QProcess text;
    text.start(u"pdftotext"_qs, {QString::fromStdString(dir.file("app.pdf")), u"-"_qs});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(u"Floss Used for Full Stitches:"_qs)) << out.toStdString();
    EXPECT_TRUE(out.contains(u"30w X 20h Stitches"_qs)) << out.toStdString();
    EXPECT_TRUE(out.contains(fromGbk("第1张 共1张"))) << out.toStdString();  // the chart as a page
}

TEST_F(ExportCommandsTest, AStoppedExportSaysSoAndKeepsTheOldFile)
{
    open(checker(30, 20));
    std::vector<bool> shown;
    exports->setCancellable([&](bool on) { shown.push_back(on); });
    dialogs.files.push_back(dir.file("w.pdf"));
    ASSERT_TRUE(session->runCommand(CmdExportPdf));
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
    QFile written(QString::fromStdString(dir.file("w.pdf")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray old = written.readAll();
    written.close();

    progress.stop = true;
    dialogs.files.push_back(dir.file("w.pdf"));
    EXPECT_FALSE(session->runCommand(CmdExportPdf));
    EXPECT_EQ(messageTexts().back(), "导出已取消");
    EXPECT_EQ(dialogs.messages.back().title, "提示");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), old);
    EXPECT_EQ(entries(), QStringList{u"w.pdf"_qs});
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));

    // Page by page, and a picture: nothing of either is left.
    exportDialogs.answer = ExportOptions{true, ExportMode::Pages, false};
    dialogs.files.push_back(dir.file("p.png"));
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    exportDialogs.answer = ExportOptions{};
    dialogs.files.push_back(dir.file("w.png"));
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    EXPECT_EQ(messageTexts().back(), "导出已取消");
    EXPECT_EQ(entries(), QStringList{u"w.pdf"_qs});
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("p"))));
}

TEST(StatusProgress, TheCancelButtonShowsAndCountsOnlyDuringARunThatMayStop)
{
    QWidget window;
    auto* bar = new QProgressBar(&window);
    auto* edit = new QLineEdit(&window);
    StatusProgress progress(bar);
    QAbstractButton* cancel = progress.cancelButton();
    EXPECT_EQ(cancel->parent(), &window);
    EXPECT_EQ(cancel->text(), fromGbk("取消"));
    EXPECT_TRUE(cancel->isHidden());
    cancel->click();
    EXPECT_FALSE(progress.cancelled());  // no run to stop

    progress.setCancellable(true);
    EXPECT_FALSE(cancel->isHidden());
    // Other input waits while the run goes on.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_qs);
    QApplication::sendEvent(edit, &held);
    EXPECT_TRUE(edit->text().isEmpty());
    progress.setPosition(3);
    cancel->click();
    EXPECT_TRUE(progress.cancelled());

    progress.setCancellable(false);
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_FALSE(progress.cancelled());
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_qs);
    QApplication::sendEvent(edit, &typed);
    EXPECT_EQ(edit->text(), u"a"_qs);
}

TEST_F(ExportCommandsTest, ATooLargeChartIsRefusedWithAWarningAndNoFile)
{
    open(checker(3300, 3));
    dialogs.files.push_back(dir.file("big.jpg"));
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "不能导出过大的绣图");
    EXPECT_EQ(dialogs.messages[0].title, "警告");
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(exports->conversions().running(), 0);
}

TEST_F(ExportCommandsTest, AFileInThePageFoldersPlaceIsRefused)
{
    open(checker(10, 10));
    exportDialogs.answer = ExportOptions{true, ExportMode::Pages, false};
    QFile blocker(QString::fromStdString(dir.file("heart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialogs.files.push_back(dir.file("heart.jpg"));
    EXPECT_FALSE(session->runCommand(CmdExportChart));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind("无法创建导出文件夹:", 0), 0u);
}

TEST_F(ExportCommandsTest, AnUnsavedPatternIsNotHandedToThePageWriter)
{
    open(checker(6, 6));
    EXPECT_FALSE(session->runCommand(CmdExportTiff));
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"必须先保存文件才能导出tiff文件"});
    EXPECT_EQ(dialogs.messages[0].title, "提示");
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(ExportCommandsTest, ASavedPatternIsSavedAgainAndItsScrambledPathStartsThePageWriter)
{
    const std::string path = dir.file("heart.xiu");
    open(checker(6, 6), path);  // the path named, the file not written yet
    ASSERT_FALSE(test::fileExists(path));
    ASSERT_TRUE(session->runCommand(CmdExportTiff));
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].first, dir.path() + "pressly");
    ASSERT_EQ(starter.started[0].second.size(), 1u);
    const std::string& letters = starter.started[0].second[0];
    EXPECT_EQ(letters.size(), 2 * path.size());
    EXPECT_EQ(unscramblePath(letters), path);
    PatternDocument saved;
    SilentMessages quiet;
    ASSERT_NE(loadPattern(path, LoadMode::Plain, saved, {nullptr, &quiet, nullptr}).result, LoadResult::Failed);
    EXPECT_EQ(saved.width(), 6);
    EXPECT_EQ(saved.cell(1, 0), 1);

    starter.succeeds = false;
    EXPECT_FALSE(session->runCommand(CmdExportTiff));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "无法启动印刷输出程序:" + dir.path() + "pressly");
}

}  // namespace
}  // namespace brenmark

// The real option dialogs: their captions, and the choices read back.

namespace brenmark {
namespace {

// Runs check on the modal dialog once it is open, then presses OK or Cancel.
void whenOpen(std::function<void(QDialog&)> check, bool ok)
{
    QTimer::singleShot(0, [check = std::move(check), ok] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        check(*dialog);
        ok ? dialog->accept() : dialog->reject();
    });
}

QStringList captionsOf(const QDialog& d)
{
    QStringList c;
    for (const QGroupBox* box : d.findChildren<QGroupBox*>())
        c << box->title();
    for (const QRadioButton* r : d.findChildren<QRadioButton*>())
        c << r->text();
    for (const QCheckBox* b : d.findChildren<QCheckBox*>())
        c << b->text();
    return c;
}

TEST(ExportOptionDialogs, AskColourModeAndColouredSymbols)
{
    QtExportDialogs dialogs(nullptr);
    whenOpen(
        [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), fromGbk("导出提示"));
            EXPECT_EQ(captionsOf(d), (QStringList{fromGbk("导出绣图颜色"), fromGbk("导出绣图方式"), fromGbk("黑白绣图"),
                                                  fromGbk("彩色绣图"), fromGbk("整幅导出"), fromGbk("按打印导出"),
                                                  fromGbk("彩色符")}));
            EXPECT_TRUE(d.findChild<QRadioButton*>(u"colourSecond"_qs)->isChecked());
            d.findChild<QRadioButton*>(u"colourFirst"_qs)->setChecked(true);
            d.findChild<QRadioButton*>(u"modeSecond"_qs)->setChecked(true);
            d.findChild<QCheckBox*>(u"colouredSymbols"_qs)->setChecked(true);
        },
        true);
    EXPECT_EQ(dialogs.imageOptions(ExportOptions{}), (ExportOptions{false, ExportMode::Pages, true}));

    whenOpen(
        [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), fromGbk("导出矢量绣图"));
            EXPECT_TRUE(captionsOf(d).contains(fromGbk("彩色字符")));
            EXPECT_TRUE(d.findChild<QRadioButton*>(u"modeSecond"_qs)->isChecked());  // as shown
        },
        false);
    EXPECT_EQ(dialogs.vectorOptions(ExportOptions{true, ExportMode::Pages, false}), std::nullopt);

    // The PDF's dialog offers "图表应用PDF", which leaves the mode to the pages.
    whenOpen(
        [](QDialog& d) {
            auto* chartApp = d.findChild<QCheckBox*>(u"chartApp"_qs);
            ASSERT_NE(chartApp, nullptr);
            EXPECT_EQ(chartApp->text(), fromGbk("图表应用PDF"));
            chartApp->setChecked(true);
            EXPECT_FALSE(d.findChild<QRadioButton*>(u"modeSecond"_qs)->parentWidget()->isEnabled());
        },
        true);
    const auto pdf = dialogs.pdfOptions(ExportOptions{});
    ASSERT_TRUE(pdf);
    EXPECT_TRUE(pdf->chartApp);
    whenOpen([](QDialog& d) { EXPECT_EQ(d.findChild<QCheckBox*>(u"chartApp"_qs), nullptr); }, true);
    EXPECT_FALSE(dialogs.imageOptions(ExportOptions{})->chartApp);
}

}  // namespace
}  // namespace brenmark
