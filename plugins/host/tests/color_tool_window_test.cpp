// The colour tool window's list members, its two orders, the grid geometry and the pick
// message.
#include "editor/document/palette_file.h"
#include "plugins/host/color_tool_window.h"
#include "plugins/host/hollick.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

struct Picks : QObject {
    std::vector<ColourToolSelection> picks;
    bool event(QEvent* e) override
    {
        if (e->type() != ViewMessageEvent::eventType())
            return QObject::event(e);
        auto* m = static_cast<ViewMessageEvent*>(e);
        if (m->message == kColourToolPickMessage)
            picks.push_back(*reinterpret_cast<const ColourToolSelection*>(m->wParam));
        return true;
    }
};

TEST(ColorTool, AddRefusesAListedColourOrNumber)
{
    ColorToolWindow w;
    EXPECT_TRUE(w.AddColor(0x0000FF, "321", true));
    EXPECT_TRUE(w.AddColor(0x00FF00, "700", false));
    EXPECT_FALSE(w.AddColor(0x0000FF, "999", false));
    EXPECT_FALSE(w.AddColor(0x123456, "700", false));
    EXPECT_EQ(w.colours(), (std::vector<ColorRef>{0x0000FF, 0x00FF00}));
    EXPECT_EQ(w.names(), (std::vector<std::string>{"321", "700"}));
    EXPECT_EQ(w.flags(), (std::vector<std::uint32_t>{1, 0}));
}

TEST(ColorTool, DeleteAndReplaceKeepTheListsInStep)
{
    ColorToolWindow w;
    w.AddColor(0x10, "a", false);
    w.AddColor(0x20, "b", false);
    w.AddColor(0x30, "c", false);
    w.AddColor(0x10 + 0x40, "d", false);
    EXPECT_FALSE(w.DeleteColorAt(4));
    EXPECT_FALSE(w.DeleteColorAt(-1));
    EXPECT_FALSE(w.DeleteColor(0x99));
    EXPECT_TRUE(w.DeleteColor(0x20));
    EXPECT_EQ(w.names(), (std::vector<std::string>{"a", "c", "d"}));
    // Index form: a colour listed elsewhere removes that other entry instead.
    EXPECT_TRUE(w.ReplaceColorAt(0, 0x30, true));
    EXPECT_EQ(w.names(), (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(w.colours()[0], 0x10u);
    EXPECT_TRUE(w.ReplaceColorAt(0, 0x77, true));
    EXPECT_EQ(w.colours()[0], 0x77u);
    EXPECT_EQ(w.flags()[0], 1u);
    EXPECT_FALSE(w.ReplaceColorAt(2, 0x1, false));
    // Colour form: a listed new colour removes the old entry.
    EXPECT_FALSE(w.ReplaceColor(ColorRef(0x99), ColorRef(0x1), false));
    EXPECT_TRUE(w.ReplaceColor(ColorRef(0x50), ColorRef(0x77), false));
    EXPECT_EQ(w.names(), std::vector<std::string>{"a"});
    EXPECT_TRUE(w.ReplaceColor(ColorRef(0x77), ColorRef(0x88), false));
    EXPECT_EQ(w.flags()[0], 0u);
    // Number form.
    EXPECT_TRUE(w.ReplaceColor(std::string("a"), 0x42));
    EXPECT_FALSE(w.ReplaceColor(std::string("z"), 0x42));
    EXPECT_EQ(w.colours(), std::vector<ColorRef>{0x42});
}

TEST(ColorTool, ColourOrderIsANearestNeighbourChain)
{
    ColorToolWindow w;
    // Values: the smallest (0x000010) first, then always the nearest remaining colour.
    w.AddColor(0xFFFFFF, "white", false);
    w.AddColor(0x0000F0, "red", true);
    w.AddColor(0x000010, "black", false);
    w.AddColor(0xF0F0F0, "grey", false);
    w.AddColor(0x0000E0, "red2", false);
    w.symbols() = {"1", "2", "3"};  // the fourth and fifth have none
    std::vector<ColorRef> c;
    std::vector<std::uint32_t> f;
    std::vector<std::string> s;
    w.PaiXuForColor(c, f, s);
    EXPECT_EQ(c, (std::vector<ColorRef>{0x000010, 0x0000E0, 0x0000F0, 0xF0F0F0, 0xFFFFFF}));
    EXPECT_EQ(f, (std::vector<std::uint32_t>{0, 0, 1, 0, 0}));
    EXPECT_EQ(s, (std::vector<std::string>{"3", "", "2", "", "1"}));
    w.NoPaiXu(c, f, s);
    EXPECT_EQ(c, w.colours());
    EXPECT_EQ(s, (std::vector<std::string>{"1", "2", "3", "", ""}));
    // Equal distances: the first in list order wins.
    EXPECT_EQ(colourChainOrder({0x000000, 0x000020, 0x200000, 0x000010}), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(colourChainOrder({0x123456}), std::vector<int>{0});
    EXPECT_TRUE(colourChainOrder({}).empty());
}

TEST(ColorTool, SymbolsAreTheChartAlphabet)
{
    ColorToolWindow w;
    for (int list = 0; list < 3; ++list) {
        const auto& symbols = w.symbolList(list);
        ASSERT_EQ(symbols.size(), 235u);
        EXPECT_EQ(symbols[0], "1");
        EXPECT_EQ(symbols[7], "8");
        EXPECT_EQ(symbols[8], ":");  // "9" is left out, and ";" after it
        EXPECT_EQ(symbols[73], "■");
        EXPECT_EQ(symbols[234], "㈩");
    }
}

TEST(ColorTool, GridClicksSelectAndNotify)
{
    ColorToolWindow w;
    Picks picks;
    w.setNotifyTarget(&picks);
    w.resize(46, 60);  // 46 / 23 + 1 = 3 columns
    EXPECT_EQ(w.columns(), 3);
    for (int i = 0; i < 7; ++i)
        w.AddColor(static_cast<ColorRef>(0x101010 * (7 - i)), std::to_string(i), false);
    EXPECT_EQ(w.indexAt({0, 0}), 0);
    EXPECT_EQ(w.indexAt({19, 11}), 0);
    EXPECT_EQ(w.indexAt({20, 5}), -1);  // between swatches
    EXPECT_EQ(w.indexAt({23, 15}), 4);
    EXPECT_EQ(w.indexAt({0, 30}), 6);
    EXPECT_EQ(w.indexAt({23, 30}), -1);  // past the list
    int range = -1;
    w.GetHRang(range);
    EXPECT_EQ(range, 0);  // 3 rows of 15 fit in 60
    w.resize(46, 20);
    w.GetHRang(range);
    EXPECT_EQ(range, 25);

    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(25, 2));
    ASSERT_EQ(picks.picks.size(), 1u);
    EXPECT_EQ(picks.picks[0].index, 1);
    EXPECT_EQ(picks.picks[0].number, "1");
    EXPECT_EQ(w.selectedIndex(), 1);
    // In colour order the displayed entry 0 is the darkest, list index 6.
    w.contextMenu()->actions()[1]->trigger();
    EXPECT_EQ(w.order(), ColorToolWindow::ByColour);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(picks.picks.size(), 2u);
    EXPECT_EQ(picks.picks[1].index, 6);
    EXPECT_EQ(picks.picks[1].colour, 0x101010u);
    w.SetSelColor(0x202020);
    EXPECT_EQ(w.selectedIndex(), 1);
    w.ReSetInit();
    EXPECT_EQ(w.selectedIndex(), -1);
    ASSERT_EQ(w.contextMenu()->actions().size(), 2);
    EXPECT_EQ(w.contextMenu()->actions()[0]->text(), u"原始顺序"_qs);
    EXPECT_EQ(w.contextMenu()->actions()[1]->text(), u"按颜色排序"_qs);
}

TEST(ColorTool, ReadsAPalette)
{
    QTemporaryDir dir;
    const std::string programDir = dir.path().toStdString() + "/";
    PaletteStore store(programDir);
    ASSERT_TRUE(store.ensurePaletteFolder());
    const std::vector<ColorRef> colours{0x111111, 0x222222};
    const std::vector<std::string> numbers{"1", "2"};
    ASSERT_TRUE(store.save("NEW", colours, numbers));
    ColorToolWindow w;
    w.AddColor(0x999999, "old", true);
    w.ReadPAL("NEW", programDir);
    EXPECT_EQ(w.colours(), colours);
    EXPECT_EQ(w.names(), numbers);
    EXPECT_EQ(w.flags(), (std::vector<std::uint32_t>{0, 0}));
}

}  // namespace
}  // namespace brenmark
