#include "editor/app/picture_windows.h"

#include "editor/app/calculator_windows.h"
#include "editor/app/picture_import_dialog.h"
#include "editor/app/statistics_window.h"


namespace brenmark {

bool QtPictureDialogs::importPicture(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                                     MessageBoxes& messages)
{
    PictureImportDialog dialog(title, filter, panel, messages, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtPictureDialogs::showStatistics(const StatisticsRequest& request)
{
    StatisticsWindow window(request, parent_);
    window.exec();
}

void QtPictureDialogs::threadCalculator()
{
    ThreadCalculator window(parent_);
    window.exec();
}

void QtPictureDialogs::fabricCalculator(MessageBoxes& messages)
{
    FabricCalculator window(messages, parent_);
    window.exec();
}

void QtPictureDialogs::threadFinder(const PaletteStore& palettes)
{
    ThreadFinder window(palettes, parent_);
    window.exec();
}

}  // namespace brenmark
