#include "editor/view/widgets/stitch_kind_window.h"

#include "editor/view/tools/tool_types.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/tool_icons.h"
#include "interchange/gbk_qstring.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPixmap>
#include <QToolButton>

namespace brenmark {

StitchKindWindow::StitchKindWindow(PatternView& view, QWidget* parent) : QWidget(parent, Qt::Tool), view_(view)
{
    setWindowTitle(uiQString("针法"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int kind = 0; kind < kStitchKindCount; ++kind) {
        auto* b = new QToolButton(this);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(QIcon(QPixmap::fromImage(stitchKindIconImage(kind, 24))));
        b->setIconSize(QSize(24, 24));
        group_->addButton(b, kind);
        grid->addWidget(b, kind / 2, kind % 2);
    }
    group_->button(0)->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int kind) { view_.dispatch(MsgSetStitchKind, kind, 0); });
}

int StitchKindWindow::kind() const
{
    return group_->checkedId();
}

}  // namespace brenmark
