#pragma once
// The conversion options of the picture and photo dialogs: "色差算法", "抖动" and
// "最多绣线数" (0 for no limit), edited in place in a ConversionOptions.
#include "editor/output/colour_matching.h"

#include <QWidget>

class QComboBox;
class QSpinBox;

namespace brenmark {

class ConversionOptionsBox final : public QWidget {
public:
    ConversionOptionsBox(ConversionOptions& options, QWidget* parent = nullptr);

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
