// The composed outline lines know the layer each came from, and the edits keep it so.
#include "editor/document/composed_lines.h"
#include "editor/document/layer_composer.h"
#include "editor/document/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

// "top" over the background, one equal line in each and one more in the background.
struct TwoLayers : Fixture {
    const BackstitchLine same = line(0, 0, 1, 0);
    const BackstitchLine other = line(2, 2, 3, 2, kRed);
    TwoLayers()
    {
        ops->newLayer("top");
        layer(0).lines = {same};
        layer(1).lines = {same, other};
        ops->recompose();
    }
};

TEST(ComposedLines, ComposingRecordsEachLinesLayerAndPlace)
{
    TwoLayers f;
    EXPECT_EQ(f.doc.lines, (std::vector<BackstitchLine>{f.same, f.other, f.same}));
    EXPECT_EQ(f.doc.lineSources, (std::vector<LineSource>{{1, 0}, {1, 1}, {0, 0}}));
    f.layer(0).visible = false;
    f.ops->recompose();
    EXPECT_EQ(f.doc.lineSources, (std::vector<LineSource>{{1, 0}, {1, 1}}));
}

TEST(ComposedLines, LinesFromElsewhereAreLinkedWhereTheyStandAsComposed)
{
    TwoLayers f;
    f.doc.lines.push_back(line(5, 5, 6, 5));  // no layer holds it
    f.doc.lines[1].color = kBlue;             // no longer what the background holds there
    linkLineSources(f.doc);
    EXPECT_EQ(f.doc.lineSources, (std::vector<LineSource>{{1, 0}, {}, {0, 0}, {}}));
    EXPECT_EQ(storedLine(f.doc, 2), &f.layer(0).lines[0]);
    EXPECT_EQ(storedLine(f.doc, 1), nullptr);
}

TEST(ComposedLines, RemovingALineTakesItsOwnRecordNotAnEqualOne)
{
    TwoLayers f;
    removeComposedLine(f.doc, 2);  // the top layer's copy
    EXPECT_TRUE(f.layer(0).lines.empty());
    EXPECT_EQ(f.layer(1).lines, (std::vector<BackstitchLine>{f.same, f.other}));
    removeComposedLine(f.doc, 0);
    EXPECT_EQ(f.layer(1).lines, std::vector<BackstitchLine>{f.other});
    EXPECT_EQ(f.doc.lineSources, (std::vector<LineSource>{{1, 0}})) << "the later line moved up in its layer";
    EXPECT_EQ(storedLine(f.doc, 0), &f.layer(1).lines[0]);
}

TEST(ComposedLines, ADrawnLineGoesWhereComposingPutsIt)
{
    TwoLayers f;
    f.doc.layers.setOnlyDrawing(1);
    const BackstitchLine drawn = line(4, 0, 4, 2, kGreen);
    EXPECT_EQ(addDrawnLine(f.doc, drawn), 2u) << "after the background's lines, before the top's";
    EXPECT_EQ(f.doc.lines, (std::vector<BackstitchLine>{f.same, f.other, drawn, f.same}));
    EXPECT_EQ(f.layer(1).lines.back(), drawn);
    std::vector<BackstitchLine> again = f.doc.lines;
    std::vector<LineSource> sources = f.doc.lineSources;
    f.ops->recompose();
    EXPECT_EQ(f.doc.lines, again);
    EXPECT_EQ(f.doc.lineSources, sources);

    f.layer(1).visible = false;
    const std::size_t at = addDrawnLine(f.doc, drawn);
    EXPECT_EQ(at, f.doc.lines.size() - 1) << "a hidden drawing layer: at the end";
    f.doc.layers.setOnlyDrawing(-1);
    addDrawnLine(f.doc, drawn);
    EXPECT_EQ(f.doc.lineSources.back(), LineSource{}) << "no drawing layer holds it";
}

TEST(ComposedLines, RemovingLinesKeepsThoseOfOtherLayersAndTellsWhereTheRestWent)
{
    TwoLayers f;
    f.doc.lines.push_back(line(0, 0, 1, 0));  // the same once more, held by no layer
    f.doc.lineSources.push_back({});
    const std::vector<std::int32_t> moved = removeLines(
        f.doc, [](const PatternLayer& l) { return l.drawable; }, [&](const BackstitchLine& l) { return l == f.same; });
    // The top layer draws: its copy and the unheld one go, the background keeps both of its.
    EXPECT_EQ(moved, (std::vector<std::int32_t>{0, 1, -1, -1}));
    EXPECT_TRUE(f.layer(0).lines.empty());
    EXPECT_EQ(f.layer(1).lines.size(), 2u);
    EXPECT_EQ(f.doc.lineSources, (std::vector<LineSource>{{1, 0}, {1, 1}}));
}

}  // namespace
}  // namespace brenmark::layertest
