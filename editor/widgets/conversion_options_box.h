#pragma once
// The conversion options of the picture and photo dialogs: "色差算法", "抖动" and
// "最多绣线数" (0 for no limit), edited in place in a ConversionOptions. Header only, so the
// photo dialog library uses it without linking the editor's windows.
#include "editor/output/colour_matching.h"
#include "interchange/gbk_qstring.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QWidget>

namespace brenmark {

class ConversionOptionsBox final : public QWidget {
public:
    ConversionOptionsBox(ConversionOptions& options, QWidget* parent = nullptr)
        : QWidget(parent), options_(options), metric_(new QComboBox(this)), dither_(new QComboBox(this)),
          maxThreads_(new QSpinBox(this))
    {
        setObjectName(u"conversionOptions"_qs);
        metric_->setObjectName(u"colourMetric"_qs);
        dither_->setObjectName(u"dithering"_qs);
        maxThreads_->setObjectName(u"maxThreads"_qs);
        for (const char* name : kMetricNames)
            metric_->addItem(fromGbk(name));
        for (const char* name : kDitherNames)
            dither_->addItem(fromGbk(name));
        maxThreads_->setRange(0, kMaxConvertedThreads);
        maxThreads_->setSpecialValueText(fromGbk("不限"));
        metric_->setCurrentIndex(static_cast<int>(options_.metric));
        dither_->setCurrentIndex(static_cast<int>(options_.dither));
        maxThreads_->setValue(options_.maxThreads);
        connect(metric_, &QComboBox::activated, this, [this](int i) { options_.metric = static_cast<ColourMetric>(i); });
        connect(dither_, &QComboBox::activated, this, [this](int i) { options_.dither = static_cast<Dithering>(i); });
        connect(maxThreads_, &QSpinBox::valueChanged, this, [this](int v) { options_.maxThreads = v; });

        auto* form = new QFormLayout(this);
        form->setContentsMargins(0, 0, 0, 0);
        form->addRow(fromGbk(kMetricCaption), metric_);
        form->addRow(fromGbk(kDitherCaption), dither_);
        form->addRow(fromGbk(kMaxThreadsCaption), maxThreads_);
    }

    QComboBox* metric() { return metric_; }
    QComboBox* dither() { return dither_; }
    QSpinBox* maxThreads() { return maxThreads_; }

private:
    ConversionOptions& options_;
    QComboBox* metric_;
    QComboBox* dither_;
    QSpinBox* maxThreads_;
};

}  // namespace brenmark
