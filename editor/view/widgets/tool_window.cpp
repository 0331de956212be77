#include "editor/view/widgets/tool_window.h"

#include "editor/view/view_messages.h"
#include "editor/view/widgets/tool_icons.h"
#include "interchange/gbk_qstring.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace brenmark {

ToolWindow::ToolWindow(PatternView& view, ToolController& tools, QWidget* parent)
    : QWidget(parent, Qt::Tool), view_(view), tools_(tools)
{
    setWindowTitle(uiQString("工具窗"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (const ToolButtonInfo& info : kToolButtons) {
        auto* b = new QToolButton(this);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(QIcon(QPixmap::fromImage(toolIconImage(info.tool, 24))));
        b->setIconSize(QSize(24, 24));
        b->setToolTip(uiQStringOf(info.tooltip));
        // The status bar says what a hovered tool does.
        b->setStatusTip(info.tool == Tool::SelectArea ? uiQString("选区域工具: 逐点单击围出选区;按住 Shift 拖动拉出矩形选区")
                                                      : uiQStringOf(info.tooltip));
        b->setProperty("controlId", info.controlId);
        const int t = static_cast<int>(info.tool);
        group_->addButton(b, t);
        grid->addWidget(b, t / 2, t % 2);
        buttons_[static_cast<std::size_t>(t)] = b;
    }
    connect(group_, &QButtonGroup::idClicked, this, &ToolWindow::toolClicked);
    buttons_[static_cast<std::size_t>(Tool::Move)]->setChecked(true);
    layout->addLayout(grid);

    auto* fontButton = new QPushButton(uiQString("选择字体"), this);
    fontButton->setProperty("controlId", 1019);
    connect(fontButton, &QPushButton::clicked, this, &ToolWindow::chooseFont);
    fontButton_ = fontButton;
    layout->addWidget(fontButton);
    fontName_ = new QLineEdit(this);
    fontName_->setReadOnly(true);
    fontName_->setProperty("controlId", 1052);
    fontName_->setText(tools_.textFont().family());
    layout->addWidget(fontName_);

    auto box = [&](const char* caption, int id) {
        auto* b = new QCheckBox(uiQStringOf(caption), this);
        b->setProperty("controlId", id);
        layout->addWidget(b);
        return b;
    };
    baseImage_ = box(UI_TEXT_NOOP("显示底图"), 1053);
    noGrid_ = box(UI_TEXT_NOOP("不显网线"), 1069);
    flash_ = box(UI_TEXT_NOOP("闪色块"), 1079);
    mirrorH_ = box(UI_TEXT_NOOP("水平对称"), 1080);
    mirrorV_ = box(UI_TEXT_NOOP("竖直对称"), 1081);
    mirrorAny_ = box(UI_TEXT_NOOP("任意对称"), 1082);
    layout->addStretch(1);

    connect(baseImage_, &QCheckBox::clicked, this, [this](bool on) { send(MsgSelectTool, kSwitchBaseImage, on ? 1 : 0); });
    connect(noGrid_, &QCheckBox::clicked, this, [this](bool on) { send(MsgSelectTool, kSwitchGrid, on ? 0 : 1); });
    connect(flash_, &QCheckBox::clicked, this, [this](bool on) {
        // Flashing needs a colour to flash.
        if (!view_.document().isOpen() || !tools_.currentThread().chosen()) {
            flash_->setChecked(false);
            return;
        }
        send(MsgSetFlashing, on ? 1 : 0, 0);
    });
    connect(mirrorH_, &QCheckBox::clicked, this, [this](bool on) {
        if (needsPattern(mirrorH_))
            send(MsgMirror, on ? 1 : 0, 1);
    });
    connect(mirrorV_, &QCheckBox::clicked, this, [this](bool on) {
        if (needsPattern(mirrorV_))
            send(MsgMirror, on ? 1 : 0, 2);
    });
    connect(mirrorAny_, &QCheckBox::clicked, this, [this](bool) { needsPattern(mirrorAny_); });
}

bool ToolWindow::needsPattern(QCheckBox* box)
{
    if (view_.document().isOpen())
        return true;
    box->setChecked(false);
    return false;
}

void ToolWindow::send(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    view_.dispatch(message, wParam, lParam);
}

void ToolWindow::toolClicked(int tool)
{
    // The pressed button shows first; the message follows from the event loop.
    QMetaObject::invokeMethod(this, [this, tool] { send(MsgSelectTool, tool, 0); }, Qt::QueuedConnection);
}

void ToolWindow::showTool(Tool tool)
{
    if (QToolButton* b = toolButtonFor(tool))
        b->setChecked(true);
}

void ToolWindow::patternOpened()
{
    // setChecked, unlike a click, sends no message.
    noGrid_->setChecked(false);
    baseImage_->setChecked(false);
    baseImage_->hide();
}

void ToolWindow::baseImageLoaded()
{
    noGrid_->setChecked(false);
    baseImage_->show();
    baseImage_->setChecked(true);
}

void ToolWindow::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, tools_.textFont(), this, uiQString("选择字体"));
    if (!ok)
        return;
    tools_.setTextFont(font);
    fontName_->setFont(font);
    fontName_->setText(font.family());
}

QWidget* ToolWindow::control(int id) const
{
    for (QWidget* w : {fontButton_, static_cast<QWidget*>(fontName_), static_cast<QWidget*>(baseImage_),
                       static_cast<QWidget*>(noGrid_), static_cast<QWidget*>(flash_), static_cast<QWidget*>(mirrorH_),
                       static_cast<QWidget*>(mirrorV_), static_cast<QWidget*>(mirrorAny_)})
        if (w && w->property("controlId").toInt() == id)
            return w;
    for (QToolButton* b : buttons_)
        if (b && b->property("controlId").toInt() == id)
            return b;
    return nullptr;
}

}  // namespace brenmark
