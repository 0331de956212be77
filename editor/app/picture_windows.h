#pragma once
// PictureDialogs with the real windows, parented to the main window.
#include "editor/app/picture_dialogs.h"

class QWidget;

namespace brenmark {

class QtPictureDialogs final : public PictureDialogs {
public:
    explicit QtPictureDialogs(QWidget* parent) : parent_(parent) {}

    bool importPicture(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                       MessageBoxes& messages) override;
    void showStatistics(const StatisticsRequest& request) override;
    void threadCalculator() override;
    void fabricCalculator(MessageBoxes& messages) override;
    void threadFinder(const PaletteStore& palettes) override;

private:
    QWidget* parent_;
};

}  // namespace brenmark
