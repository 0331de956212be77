// The dialog "绣线综合管理工具" with scripted file dialogs: its controls, adding rows, saving
// and loading the grid, editing cells with the arrow keys, and "生成库".
#include "interchange/file_bytes.h"
#include "interchange/gbk_qstring.h"
#include "editor/widgets/tests/chinese_texts.h"
#include "plugins/threadmap/marrowin_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace brenmark {
namespace {

struct ScriptedMappingDialogs final : MappingDialogs {
    void show(const std::string& text, const std::string&, MessageIcon) override { shown.push_back(text); }
    std::optional<std::string> openMappingFile() override { return next(); }
    std::optional<std::string> saveMappingFile() override { return next(); }
    std::optional<std::string> next()
    {
        if (paths.empty())
            return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    }
    std::deque<std::optional<std::string>> paths;
    std::vector<std::string> shown;
};

class Dialog : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    QPushButton* button(const char16_t* name) { return dialog.findChild<QPushButton*>(QString::fromUtf16(name)); }

    QTemporaryDir dir;
    ScriptedMappingDialogs files;
    MarrowinDialog dialog{dir.path().toStdString() + "/", &files};
};

TEST_F(Dialog, HasOneTabTheGridAndTheButtons)
{
    EXPECT_EQ(dialog.windowTitle(), u"绣线综合管理工具"_qs);
    ASSERT_EQ(dialog.tabs()->count(), 1);
    EXPECT_EQ(dialog.tabs()->tabText(0), u"生成绣线库"_qs);
    for (const char16_t* name : {u"addRows", u"loadInput", u"saveInput", u"buildLibrary", u"close"})
        EXPECT_NE(button(name), nullptr);
    EXPECT_EQ(button(u"buildLibrary")->text(), u"生成库"_qs);
    QStringList headers;
    for (int c = 0; c < dialog.table()->columnCount(); ++c)
        headers << dialog.table()->horizontalHeaderItem(c)->text();
    EXPECT_EQ(headers, (QStringList{u"行"_qs, u"线号"_qs, u"DMC"_qs, u"线号"_qs, u"DMC"_qs, u"线号"_qs, u"DMC"_qs}));
}

TEST_F(Dialog, SavesFourRowsAsTwelvePairsAndLoadsThemBack)
{
    dialog.rowCountEdit()->setText(u"4"_qs);
    button(u"addRows")->click();
    ASSERT_EQ(dialog.table()->rowCount(), 4);
    EXPECT_EQ(dialog.table()->item(3, 0)->text(), u"3"_qs);
    EXPECT_FALSE(dialog.table()->item(0, 0)->flags() & Qt::ItemIsEditable);
    dialog.table()->item(0, 1)->setText(u"甲1"_qs);  // as leaving an edited cell does
    dialog.table()->item(0, 2)->setText(u"310"_qs);
    files.paths = {path("map"), std::nullopt};
    button(u"saveInput")->click();
    button(u"saveInput")->click();  // cancelled: nothing
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(path("map.x2x"), bytes));
    ASSERT_EQ(bytes.size(), 4u + 20u * 12u);
    EXPECT_EQ(bytes[0], 12);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 7), "甲1");

    MarrowinDialog other(dir.path().toStdString() + "/", &files);
    files.paths = {path("map.x2x")};
    other.loadInput();
    ASSERT_EQ(other.grid().rowCount(), 4);
    EXPECT_EQ(other.table()->item(0, 1)->text(), u"甲1"_qs);
    EXPECT_EQ(other.table()->item(0, 2)->text(), u"310"_qs);
    EXPECT_TRUE(files.shown.empty());
}

TEST_F(Dialog, KeepsAChosenPathHoldingTheExtensionAnywhere)
{
    dialog.addOneRow();
    files.paths = {path("a.x2x.bak")};
    dialog.saveInput();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path("a.x2x.bak"))));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("a.x2x.bak.x2x"))));
}

TEST_F(Dialog, ACutShortFileLoadsWhatItHoldsAndSaysSo)
{
    std::vector<std::uint8_t> bytes = encodeMapping(std::vector<MappingPair>{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    ASSERT_TRUE(replaceFile(path("four.x2x"), bytes));
    bytes[0] = 9;  // promises more
    ASSERT_TRUE(replaceFile(path("short.x2x"), bytes));
    files.paths = {path("four.x2x"), path("short.x2x"), path("missing.x2x")};
    dialog.loadInput();
    EXPECT_EQ(dialog.grid().rowCount(), 2);
    EXPECT_EQ(dialog.table()->item(1, 1)->text(), u"d"_qs);
    EXPECT_EQ(dialog.table()->item(1, 3)->text(), QString());
    EXPECT_TRUE(files.shown.empty());
    dialog.loadInput();
    EXPECT_EQ(dialog.grid().rowCount(), 4);
    ASSERT_EQ(files.shown.size(), 1u);
    EXPECT_EQ(files.shown[0], "绣库对应文件不完整,只读入了其中完整的4对");
    dialog.loadInput();  // cannot be opened: nothing
    EXPECT_EQ(dialog.grid().rowCount(), 4);
}

TEST_F(Dialog, ArrowKeysMoveTheEditBoxPastTheRowNumbers)
{
    dialog.rowCountEdit()->setText(u"2"_qs);
    dialog.addRows();
    dialog.show();
    QTableWidget* table = dialog.table();
    table->setCurrentCell(0, 1);
    table->editItem(table->item(0, 1));
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(u"N1"_qs);
    QTest::keyClick(editor, Qt::Key_Left);  // from column 1: column 0 skipped, nowhere above
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.grid().row(0)[1], "N1");
    dialog.editNeighbour(0, 6, Qt::Key_Right);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 1);
    dialog.editNeighbour(1, 1, Qt::Key_Left);
    EXPECT_EQ(table->currentRow(), 0);
    EXPECT_EQ(table->currentColumn(), 6);
    dialog.editNeighbour(0, 6, Qt::Key_Down);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 6);
}

TEST_F(Dialog, BuildsTheLibraryNamedInTheField)
{
    PaletteStore store(dir.path().toStdString() + "/");
    store.ensurePaletteFolder();
    const std::vector<ColorRef> colours{0x123456};
    const std::vector<std::string> numbers{"310"};
    store.save("DMC", colours, numbers);
    dialog.addOneRow();
    dialog.setCell(0, 1, "K1");
    dialog.setCell(0, 2, "310");
    EXPECT_EQ(dialog.buildLibrary(), BuildOutcome::NoName);
    dialog.nameEdit()->setText(u"新库"_qs);
    button(u"buildLibrary")->click();
    Palette built;
    ASSERT_TRUE(store.load(toGbk(u"新库"_qs), built));
    EXPECT_EQ(built.numbers, std::vector<std::string>{"K1"});
    EXPECT_EQ(built.colors, std::vector<ColorRef>{0x123456});
    EXPECT_EQ(files.shown, std::vector<std::string>{"请输入新绣线库名"});
}

TEST(MarrowinEnglish, TheDialogSpeaksEnglishWithTheCatalogue)
{
    ASSERT_TRUE(loadUiCatalogue(BRENMARK_CATALOGUE));
    {
        QTemporaryDir dir;
        ScriptedMappingDialogs files;
        MarrowinDialog dialog{dir.path().toStdString() + "/", &files};
        EXPECT_EQ(test::chineseTexts(dialog), std::vector<std::string>());
        EXPECT_EQ(dialog.windowTitle(), u"Floss Library Tool"_qs);
    }
    loadUiCatalogue("");
}

}  // namespace
}  // namespace brenmark
