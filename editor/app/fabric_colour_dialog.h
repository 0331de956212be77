#pragma once
// "设置绣布颜色": the fabric list with a preview of the chosen colour.
#include "editor/document/fabric_colors.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace brenmark {

class FabricColourDialog final : public QDialog {
    Q_OBJECT
public:
    FabricColourDialog(const std::vector<FabricChoice>& choices, int preselected, QWidget* parent = nullptr);
    int chosen() const;
    // The colour shown in the preview.
    ColorRef previewColour() const { return preview_; }

private:
    void showChoice(int index);

    std::vector<FabricChoice> choices_;
    QComboBox* list_;
    QLabel* swatch_;
    ColorRef preview_ = kWhite;
};

}  // namespace brenmark
