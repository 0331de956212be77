#pragma once
// The fill (tool 7) and hollow-out (tool 12) tools: a click fills the 4-connected region of
// the clicked colour with the current thread, or empties it. Both need the first visible
// layer to be a linked or drawable one.
#include "editor/view/tools/scanline_fill.h"
#include "editor/view/tools/tool_context.h"

#include <cstdint>
#include <vector>

namespace brenmark {

class FillTool final : public OwnTool {
public:
    enum class Mode { Fill, HollowOut };
    FillTool(ToolContext& context, Mode mode) : ctx_(context), mode_(mode) {}

    void mouseDown(QPoint client, Modifiers modifiers) override;

    // The fills as the tools use them; value goes into every cell of the region. Return the
    // number of cells the region holds.
    std::size_t fillByIndex(CellPoint seed, std::int32_t match, std::int32_t value);
    std::size_t fillByColour(CellPoint seed, ColorRef match, std::int32_t value);

private:
    void fillClick(CellPoint cell);
    void hollowClick(CellPoint cell);
    // The first visible layer takes fills; otherwise the message and no change.
    bool layerTakesFills(const char* refusal);
    template <class Match>
    std::size_t fillRegion(CellPoint seed, Match&& match, std::int32_t value, bool valueMatches, bool clearMarks);

    ToolContext& ctx_;
    Mode mode_;
    std::vector<FillSeed> seeds_;
};

}  // namespace brenmark
