#pragma once
// The colour tool window libhollick.so offers plug-ins: a scrollable grid of colour swatches
// over a thread list, one of which the user may pick, shown in list order or as a chain of
// nearest colours. The lists are plain members, so callers and tests use them without
// showing anything.
#include "editor/document/color_ref.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QMenu;
class QScrollBar;

#define HOLLICK_CLASS __attribute__((visibility("default")))

namespace brenmark {

// What a click hands the notify target with message 1524 (the event's wParam points here).
struct ColourToolSelection {
    std::int32_t index = -1;  // in the list
    ColorRef colour = 0;
    std::string number;
};

inline constexpr std::uint32_t kColourToolPickMessage = 1524;

class HOLLICK_CLASS ColorToolWindow : public QWidget {
public:
    enum Order : int { ListOrder = 0, ByColour = 1 };
    static constexpr int kSwatchWidth = 20, kSwatchHeight = 12, kColumnPitch = 23, kRowPitch = 15;

    explicit ColorToolWindow(QWidget* parent = nullptr);
    ~ColorToolWindow() override;

    // Makes the window a visible child of the parent at that size, with object name
    // "AfxKvXiuColor".
    bool CreateColorTool(QWidget* parent, int width, int height);
    void ReSizeColorTool(int width, int height);

    // Appends unless the colour or the thread number is listed already.
    bool AddColor(ColorRef colour, const std::string& number, bool flag);
    // The first entry of that colour.
    bool DeleteColor(ColorRef colour);
    bool DeleteColorAt(int index);
    // Sets colour and flag at the index; a new colour listed elsewhere removes that other
    // entry instead.
    bool ReplaceColorAt(int index, ColorRef colour, bool flag);
    // The entry of the old colour; a new colour listed already removes the old entry instead.
    bool ReplaceColor(ColorRef oldColour, ColorRef newColour, bool flag);
    bool ReplaceColor(const std::string& number, ColorRef newColour);

    void PaiXuForColor(std::vector<ColorRef>& colours, std::vector<std::uint32_t>& flags,
                       std::vector<std::string>& symbols) const;
    void NoPaiXu(std::vector<ColorRef>& colours, std::vector<std::uint32_t>& flags,
                 std::vector<std::string>& symbols) const;

    void SetSelColor(ColorRef colour);
    void SetSelLineColor(ColorRef colour) { lineColour_ = colour; hasLineColour_ = true; update(); }
    void ReSetFuHao();
    void ReSetXiuViewFuHao() {}
    void SetReFuHao(QPoint) {}
    void GetHRang(int& range) const;
    void ReSetInit();
    void ReDrawTool() { update(); }
    // Loads "<program dir>PAL/<name>.pal" into colours, names and flags.
    void ReadPAL(const std::string& name, const std::string& programDir = {});

    void setOrder(Order order);
    Order order() const { return order_; }
    // The receiver of message 1524 (as a ViewMessageEvent); null: nobody.
    void setNotifyTarget(QObject* target) { notify_ = target; }
    int selectedIndex() const { return selected_; }  // among the displayed entries
    int columns() const;
    // The displayed entry under a point of the window, or -1.
    int indexAt(QPoint point) const;
    QMenu* contextMenu() const { return menu_; }

    const std::vector<ColorRef>& colours() const { return colours_; }
    const std::vector<std::string>& names() const { return names_; }
    const std::vector<std::uint32_t>& flags() const { return flags_; }
    std::vector<std::string>& symbols() { return symbols_; }
    const std::vector<std::string>& symbolList(int which) const { return symbolLists_[which]; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void removeAt(std::size_t i);
    int find(ColorRef colour) const;
    void rebuildDisplay();

    std::vector<ColorRef> colours_;
    std::vector<std::string> names_;
    std::vector<std::uint32_t> flags_;
    std::vector<std::string> symbols_;
    std::vector<ColorRef> shownColours_;
    std::vector<std::uint32_t> shownFlags_;
    std::vector<std::string> shownSymbols_;
    std::vector<int> shownToList_;
    Order order_ = ListOrder;
    int selected_ = -1;
    int firstRow_ = 0;  // pixels scrolled
    int range_ = 0;
    std::vector<std::string> symbolLists_[3];
    QObject* notify_ = nullptr;
    ColorRef lineColour_ = 0;
    bool hasLineColour_ = false;
    QScrollBar* scroll_ = nullptr;
    QMenu* menu_ = nullptr;
};

// The nearest-colour chain: smallest value first, then each entry followed by the nearest
// remaining one (squared RGB distance, the first of equal distances). The permutation of
// list indices.
HOLLICK_CLASS std::vector<int> colourChainOrder(const std::vector<ColorRef>& colours);

}  // namespace brenmark
