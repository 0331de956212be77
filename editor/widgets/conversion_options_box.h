#pragma once
// The conversion options of the picture and photo dialogs: "色差算法", "抖动",
// "最多绣线数" (0 for no limit), "减少单针" (0 to 10), "每线最少针数" and "忽略背景色" (a colour
// "#RRGGBB", or the border's when left empty, and its tolerance), edited in place in a
// ConversionOptions. Header only, so the photo dialog library uses it without linking the
// editor's windows.
#include "editor/output/colour_matching.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

namespace brenmark {

class ConversionOptionsBox final : public QWidget {
public:
    ConversionOptionsBox(ConversionOptions& options, QWidget* parent = nullptr)
        : QWidget(parent), options_(options), metric_(new QComboBox(this)), dither_(new QComboBox(this)),
          maxThreads_(new QSpinBox(this)), confetti_(new QSpinBox(this)), minStitches_(new QSpinBox(this)),
          background_(new QCheckBox(uiQStringOf(kBackgroundCaption), this)), backgroundColour_(new QLineEdit(this)),
          tolerance_(new QSpinBox(this))
    {
        setObjectName(u"conversionOptions"_qs);
        metric_->setObjectName(u"colourMetric"_qs);
        dither_->setObjectName(u"dithering"_qs);
        maxThreads_->setObjectName(u"maxThreads"_qs);
        for (const char* name : kMetricNames)
            metric_->addItem(uiQStringOf(name));
        for (const char* name : kDitherNames)
            dither_->addItem(uiQStringOf(name));
        maxThreads_->setRange(0, kMaxConvertedThreads);
        maxThreads_->setSpecialValueText(uiQString("不限"));
        metric_->setCurrentIndex(static_cast<int>(options_.metric));
        dither_->setCurrentIndex(static_cast<int>(options_.dither));
        maxThreads_->setValue(options_.maxThreads);
        connect(metric_, &QComboBox::activated, this, [this](int i) { options_.metric = static_cast<ColourMetric>(i); });
        connect(dither_, &QComboBox::activated, this, [this](int i) { options_.dither = static_cast<Dithering>(i); });
        connect(maxThreads_, &QSpinBox::valueChanged, this, [this](int v) { options_.maxThreads = v; });
        confetti_->setObjectName(u"confettiStrength"_qs);
        minStitches_->setObjectName(u"minStitches"_qs);
        background_->setObjectName(u"ignoreBackground"_qs);
        backgroundColour_->setObjectName(u"backgroundColour"_qs);
        tolerance_->setObjectName(u"backgroundTolerance"_qs);
        confetti_->setRange(0, kMaxConfettiStrength);
        confetti_->setSpecialValueText(uiQString("关"));
        confetti_->setValue(options_.confetti);
        minStitches_->setRange(0, 9999);
        minStitches_->setSpecialValueText(uiQString("不限"));
        minStitches_->setValue(options_.minStitches);
        backgroundColour_->setPlaceholderText(uiQString("边框颜色"));
        tolerance_->setRange(0, 100);
        background_->setChecked(options_.background.has_value());
        const BackgroundRule rule = options_.background.value_or(BackgroundRule{});
        tolerance_->setValue(static_cast<int>(rule.tolerance));
        if (rule.colour)
            backgroundColour_->setText(QString::asprintf("#%02X%02X%02X", redOf(*rule.colour), greenOf(*rule.colour),
                                                         blueOf(*rule.colour)));
        connect(confetti_, &QSpinBox::valueChanged, this, [this](int v) { options_.confetti = v; });
        connect(minStitches_, &QSpinBox::valueChanged, this, [this](int v) { options_.minStitches = v; });
        connect(background_, &QCheckBox::toggled, this, [this] { readBackground(); });
        connect(backgroundColour_, &QLineEdit::textChanged, this, [this] { readBackground(); });
        connect(tolerance_, &QSpinBox::valueChanged, this, [this] { readBackground(); });

        auto* form = new QFormLayout(this);
        form->setContentsMargins(0, 0, 0, 0);
        form->addRow(uiQStringOf(kMetricCaption), metric_);
        form->addRow(uiQStringOf(kDitherCaption), dither_);
        form->addRow(uiQStringOf(kMaxThreadsCaption), maxThreads_);
        form->addRow(uiQStringOf(kConfettiCaption), confetti_);
        form->addRow(uiQStringOf(kMinStitchesCaption), minStitches_);
        auto* background = new QHBoxLayout;
        background->addWidget(backgroundColour_, 1);
        background->addWidget(tolerance_);
        form->addRow(background_, background);
    }

    QComboBox* metric() { return metric_; }
    QComboBox* dither() { return dither_; }
    QSpinBox* maxThreads() { return maxThreads_; }
    QSpinBox* confetti() { return confetti_; }
    QSpinBox* minStitches() { return minStitches_; }
    QCheckBox* ignoreBackground() { return background_; }
    QLineEdit* backgroundColour() { return backgroundColour_; }
    QSpinBox* backgroundTolerance() { return tolerance_; }

private:
    // "忽略背景色": off, or the typed colour (the border's while incomplete) and tolerance.
    void readBackground()
    {
        if (!background_->isChecked()) {
            options_.background.reset();
            return;
        }
        const std::string word = backgroundColour_->text().toStdString() + "/" + std::to_string(tolerance_->value());
        options_.background = backgroundRuleNamed(word).value_or(BackgroundRule{std::nullopt, double(tolerance_->value())});
    }

    ConversionOptions& options_;
    QComboBox* metric_;
    QComboBox* dither_;
    QSpinBox* maxThreads_;
    QSpinBox* confetti_;
    QSpinBox* minStitches_;
    QCheckBox* background_;
    QLineEdit* backgroundColour_;
    QSpinBox* tolerance_;
};

}  // namespace brenmark
