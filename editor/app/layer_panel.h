#pragma once
// The floating layer panel ("浮动操作窗口"): one row per layer, top-most first, each with an
// eye (shown or hidden), a link button (plain, drawing layer, linked) and the name. The
// panel only turns clicks, drags and its menu into LayerOperations calls.
#include "editor/document/layer_operations.h"
#include "editor/view/layer_panel_layout.h"
#include "interchange/ui_text.h"

#include <QPoint>
#include <QWidget>

#include <optional>

namespace brenmark {

class UserDialogs;

inline constexpr const char* kLayerNameTip = UI_TEXT_NOOP("按下可以选定该层为绘制层,按下不放拖动鼠标到别的层，可以调节层的顺序");

enum class LayerRowPart { None, Eye, Link, Name };

struct LayerRowHit {
    int row = -1;
    LayerRowPart part = LayerRowPart::None;
    bool operator==(const LayerRowHit&) const = default;
};

// Where the parts of a row sit, from x = LayerPanelLayout::kLeft: the eye, the link
// button, then the thumbnail and the name.
struct LayerRowGeometry {
    static constexpr int kButton = 22;
    static constexpr int kEyeLeft = LayerPanelLayout::kLeft;
    static constexpr int kLinkLeft = kEyeLeft + kButton + 2;
    static constexpr int kNameLeft = kLinkLeft + kButton + 4;
};

// The row and part under a point of a panel width pixels wide.
LayerRowHit hitLayerRow(const LayerPanelLayout& layout, int rows, QPoint point, int width);

class LayerPanel final : public QWidget, private LayerObserver {
    Q_OBJECT
public:
    LayerPanel(LayerOperations& layers, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~LayerPanel() override;

    // The context menu's commands.
    bool newLayer();
    bool copyDrawingLayer() { return layers_.copyDrawingLayer(); }
    bool deleteLayer() { return layers_.deleteLayer(); }
    bool mergeVisible() { return layers_.mergeVisible(); }
    bool mergeLinked() { return layers_.mergeLinked(); }

    QSize sizeHint() const override { return {220, 300}; }
    // Where the rows are drawn.
    const LayerPanelLayout& layout() const { return rows_.layout(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void layersRecomposed() override { update(); }
    void paintRow(QPainter& p, int index);

    LayerOperations& layers_;
    UserDialogs& dialogs_;
    LayerPanelRows rows_{layers_, [this] { update(); }};
    int dragged_ = -1;  // the row pressed on its name, while the button is down
    int dropTarget_ = -1;
};

}  // namespace brenmark
