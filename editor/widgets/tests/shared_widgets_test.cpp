// The shared widgets: message boxes, file filters and the conversion dialogs' frame.
#include "editor/widgets/conversion_frame.h"
#include "editor/widgets/message_box.h"
#include "editor/widgets/qt_file_filter.h"
#include "interchange/gbk_qstring.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace brenmark {
namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
    bool onTop = false;
};

// Runs show while a timer reads the modal box it opens and presses its OK.
SeenBox watchBox(const std::function<void()>& show)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->icon(), box->windowTitle(), box->text(), box->standardButtons(), box->parentWidget(),
                box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
        box->button(QMessageBox::Ok)->click();
    });
    show();
    return seen;
}

TEST(MessageBox, EveryIconHasItsQtIcon)
{
    EXPECT_EQ(qtMessageIcon(MessageIcon::Information), QMessageBox::Information);
    EXPECT_EQ(qtMessageIcon(MessageIcon::Warning), QMessageBox::Warning);
    EXPECT_EQ(qtMessageIcon(MessageIcon::Stop), QMessageBox::Critical);
    EXPECT_EQ(qtMessageIcon(MessageIcon::Question), QMessageBox::Question);
}

TEST(MessageBox, ShowsTheGbkTextAndTitleOverItsParentWithOkOnly)
{
    QWidget window;
    QtMessageBoxes messages(&window);
    const SeenBox seen = watchBox([&] { messages.show("文件已损坏", "警告", MessageIcon::Stop); });
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.title, QString::fromUtf8(u8"警告"));
    EXPECT_EQ(seen.text, QString::fromUtf8(u8"文件已损坏"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.parent, &window);
    EXPECT_FALSE(seen.onTop);

    QWidget other;
    messages.setParent(&other);
    EXPECT_EQ(watchBox([&] { messages.show("x", "y", MessageIcon::Information); }).parent, &other);
}

TEST(MessageBox, ExtraFlagsKeepTheBoxOnTop)
{
    const SeenBox seen =
        watchBox([] { showMessageBox(nullptr, "a", "b", MessageIcon::Warning, Qt::WindowStaysOnTopHint); });
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_TRUE(seen.onTop);
}

TEST(FileFilter, PipesBecomeQtFiltersWithEveryFileAsAStar)
{
    EXPECT_EQ(qtFileFilter("图片 (.bmp)|*.bmp;*.BMP|所有文件|*.*||"),
              QString::fromUtf8(u8"图片 (.bmp) (*.bmp *.BMP);;所有文件 (*)"));
    EXPECT_EQ(qtFileFilter("目录或文件名 (*.*)|*.*||"), QString::fromUtf8(u8"目录或文件名 (*.*) (*)"));
    EXPECT_EQ(qtFileFilter(""), QString());
    // A description without patterns is left out.
    EXPECT_EQ(qtFileFilter("OXS绣图 (.oxs)|*.oxs|dangling"), QString::fromUtf8(u8"OXS绣图 (.oxs) (*.oxs)"));
}

// The size half of a panel: each edit recorded, the other side answered.
struct SizePanel {
    std::vector<std::string> edits;
    void editWidth(const std::string& text) { edits.push_back("w" + text); }
    void editHeight(const std::string& text) { edits.push_back("h" + text); }
    std::string widthText() const { return "30"; }
    std::string heightText() const { return "20"; }
};

// A frame over a panel that only records what it is asked.
class RecordingFrame final : public ConversionDialogFrame {
public:
    RecordingFrame() : ConversionDialogFrame("GIF|*.gif|", "确定", nullptr) { bindSizeFields(sizes); }

    std::string path;
    bool done = false;
    bool canAccept = false;
    int shown = 0;
    SizePanel sizes;

    using ConversionDialogFrame::acceptButton;

private:
    std::string chosenPath() const override { return path; }
    bool converted() const override { return done; }
    bool acceptable() const override { return canAccept; }
    void choose(const std::string& chosen) override
    {
        path = chosen;
        done = false;
    }
    void runConversion(ProgressReport& progress) override
    {
        progress.setRange(0, 4);
        progress.setPosition(4);
        done = true;
    }
    void showPanel() override { ++shown; }
};

TEST(ConversionFrame, EmbedsTheFileDialogWithTheProgramsFilterAndItsOwnButtonsOnly)
{
    RecordingFrame frame;
    QFileDialog* files = frame.fileDialog();
    EXPECT_EQ(files->parentWidget(), &frame);
    EXPECT_EQ(files->nameFilters(), QStringList{u"GIF (*.gif)"_qs});
    EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(frame.convertButton()->text(), QString::fromUtf8(u8"转换"));
    EXPECT_EQ(frame.acceptButton()->text(), QString::fromUtf8(u8"确定"));
    EXPECT_EQ(frame.cancelButton()->text(), QString::fromUtf8(u8"取消"));
    EXPECT_TRUE(frame.acceptButton()->isDefault());
    EXPECT_EQ(frame.progressBar()->maximum(), 10);
}

TEST(ConversionFrame, ChoosingTheSameFileAgainKeepsAConversion)
{
    RecordingFrame frame;
    frame.chooseFile(u"/tmp/a.gif"_qs);
    EXPECT_EQ(frame.path, "/tmp/a.gif");
    EXPECT_EQ(frame.shown, 1);
    frame.convertButton()->click();
    EXPECT_TRUE(frame.done);
    EXPECT_EQ(frame.progressBar()->value(), 4);
    EXPECT_EQ(frame.shown, 2);
    // A double click on the converted file keeps everything as it is.
    frame.chooseFile(u"/tmp/a.gif"_qs);
    EXPECT_TRUE(frame.done);
    EXPECT_EQ(frame.progressBar()->value(), 4);
    EXPECT_EQ(frame.shown, 2);
    // Another file starts again.
    frame.chooseFile(u"/tmp/b.gif"_qs);
    EXPECT_FALSE(frame.done);
    EXPECT_EQ(frame.progressBar()->value(), 0);
    EXPECT_EQ(frame.shown, 3);
}

TEST(ConversionFrame, FileNamesAreTheFileSystemsBytesNotGbk)
{
    // The name as the file system holds it (UTF-8), never the program's GBK text.
    const QString name = QString::fromUtf8(u8"/tmp/测试.gif");
    EXPECT_EQ(localFilePath(name), std::string(reinterpret_cast<const char*>(u8"/tmp/测试.gif")));
    EXPECT_NE(localFilePath(name), "/tmp/" + toGbk(QString::fromUtf8(u8"测试")) + ".gif");
}

TEST(ConversionFrame, AnEditedSideShowsTheOtherSideThePanelGives)
{
    RecordingFrame frame;
    frame.widthEdit()->setText(u"12"_qs);
    emit frame.widthEdit()->textEdited(u"12"_qs);
    EXPECT_EQ(frame.heightEdit()->text(), u"20"_qs);
    emit frame.heightEdit()->textEdited(u"7"_qs);
    EXPECT_EQ(frame.widthEdit()->text(), u"30"_qs);
    EXPECT_EQ(frame.sizes.edits, (std::vector<std::string>{"w12", "h7"}));
}

TEST(ConversionFrame, TheAcceptButtonClosesOnlyWhenThePanelAllows)
{
    RecordingFrame frame;
    frame.show();
    frame.acceptButton()->click();
    EXPECT_EQ(frame.result(), QDialog::Rejected);
    EXPECT_TRUE(frame.isVisible());
    frame.canAccept = true;
    frame.acceptButton()->click();
    EXPECT_EQ(frame.result(), QDialog::Accepted);
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace
}  // namespace brenmark
