#include "cmyktool/glimbert_dialog.h"

#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace brenmark::glimbert {

GrabSpot::GrabSpot(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(96, 28);
    setCursor(Qt::PointingHandCursor);
}

void GrabSpot::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // While the button is down the pointer stays ours wherever it goes (Qt's implicit grab),
    // so the release is seen over the other program's window.
    setCursor(Qt::CrossCursor);
    grabMouse(Qt::CrossCursor);
}

void GrabSpot::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    releaseMouse();
    setCursor(Qt::PointingHandCursor);
    // Released on ourselves: nothing grabbed.
    if (!rect().contains(event->position().toPoint()))
        emit released(event->globalPosition().toPoint());
}

GlimbertDialog::GlimbertDialog(DialogPartners partners, bool hotKeyActive, QWidget* parent)
    : QDialog(parent), partners_(std::move(partners))
{
    setWindowTitle(uiQStringOf(kProgramName));

    auto* group = new QGroupBox(uiQString("吸取PhotoShop的取色窗口"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kPickerFieldCount; ++i) {
        radios_[i] = new QRadioButton(group);
        grid->addWidget(radios_[i], i < 3 ? i : i - 3, i < 3 ? 0 : 1);
        connect(radios_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                target_ = i;
        });
    }
    radios_[0]->setChecked(true);
    auto* spot = new GrabSpot(uiQString("抓取窗口"), group);
    spot->setToolTip(uiQString("按住鼠标拖到取色窗口的输入框上松开"));
    grid->addWidget(spot, 3, 0);
    connect(spot, &GrabSpot::released, this, [this](QPoint at) {
        if (partners_.grab)
            grabbed(partners_.grab(static_cast<PickerField>(target_), at));
    });

    builtin_ = new QCheckBox(uiQString("内置取色"), this);
    builtin_->setToolTip(uiQString("没有图像软件时用本工具自己的CMYK换算"));
    connect(builtin_, &QCheckBox::toggled, this, [this] { refreshCaptions(); });

    auto* keyText = new QLabel(uiQString("自动填数快捷键(CTRL+F9)"), this);
    auto* runButton = new QPushButton(uiQString("自动填数"), this);
    runButton->setVisible(!hotKeyActive);
    keyText->setEnabled(hotKeyActive);
    connect(runButton, &QPushButton::clicked, this, [this] { runCycle(); });

    auto* about = new QPushButton(uiQString("关于") + uiQStringOf(kProgramName) + u"..."_qs, this);
    about->setAutoDefault(false);
    connect(about, &QPushButton::clicked, this, &GlimbertDialog::aboutRequested);

    status_ = new QLabel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(builtin_);
    auto* keys = new QHBoxLayout;
    keys->addWidget(keyText);
    keys->addStretch();
    keys->addWidget(runButton);
    layout->addLayout(keys);
    layout->addWidget(status_);
    layout->addWidget(about, 0, Qt::AlignRight);
    refreshCaptions();
}

void GlimbertDialog::setCaptureTarget(int target)
{
    if (target >= 0 && target < kPickerFieldCount)
        radios_[target]->setChecked(true);
}

void GlimbertDialog::grabbed(FieldHandle handle)
{
    if (handle != 0)
        shown_[target_] = handle;
    refreshCaptions();
}

bool GlimbertDialog::usesBuiltinPicker() const
{
    return builtin_->isChecked();
}

void GlimbertDialog::setUsesBuiltinPicker(bool on)
{
    builtin_->setChecked(on);
}

QString GlimbertDialog::fieldCaption(PickerField field) const
{
    return radios_[static_cast<int>(field)]->text();
}

void GlimbertDialog::refreshCaptions()
{
    for (int i = 0; i < kPickerFieldCount; ++i) {
        const auto field = static_cast<PickerField>(i);
        const FieldHandle handle =
            usesBuiltinPicker() && partners_.builtinPicker ? partners_.builtinPicker->handle(field)
            : partners_.grabbedPicker                     ? partners_.grabbedPicker->handle(field)
                                                          : shown_[i];
        char caption[64];
        if (handle)
            std::snprintf(caption, sizeof caption, uiText("%s窗口:0x%x").c_str(), pickerFieldName(field), handle);
        else
            std::snprintf(caption, sizeof caption, uiText("%s窗口").c_str(), pickerFieldName(field));
        radios_[i]->setText(fromGbk(caption));
    }
}

CycleResult GlimbertDialog::runCycle()
{
    PickerPartner* picker = usesBuiltinPicker() ? static_cast<PickerPartner*>(partners_.builtinPicker)
                                                : partners_.grabbedPicker;
    SilentMessages silent;
    MessageBoxes& messages = partners_.messages ? *partners_.messages : silent;
    if (!partners_.table || !picker) {
        messages.show(kEmptyHandleText, kTitleInfo, MessageIcon::Stop);
        return {CycleOutcome::EmptyHandle, {}};
    }
    const CycleResult result = runCopyCycle(*partners_.table, *picker, messages);
    if (result.outcome == CycleOutcome::Written) {
        char text[64];
        std::snprintf(text, sizeof text, uiText("已填入第%d行第%d列起").c_str(), result.place.row, result.place.firstColumn);
        status_->setText(fromGbk(text));
    } else {
        status_->clear();
    }
    return result;
}

}  // namespace brenmark::glimbert
