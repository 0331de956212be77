#pragma once
// A scripted picture dialog and the small pictures the import tests convert.
#include "editor/app/picture_dialogs.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace brenmark::test {

// Left half red (200, 0, 0), right half blue (0, 0, 200), saved as PNG; the left half is the
// larger for odd widths.
inline std::string writeTwoColourPicture(const std::string& path, int width = 4, int height = 2)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, x < (width + 1) / 2 ? QColor(200, 0, 0) : QColor(0, 0, 200));
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

class ScriptedPictureDialogs final : public PictureDialogs {
public:
    // What the user does in the picture dialog; true for "打开". None: cancel.
    std::function<bool(PictureImportPanel&, MessageBoxes&)> script;
    std::vector<std::string> titles;
    std::vector<std::string> filters;
    std::vector<StatisticsRequest> statistics;
    std::vector<std::string> log;

    // Choose the picture, convert with the panel as it starts, open.
    void convertOnOpen(const std::string& picture)
    {
        script = [picture](PictureImportPanel& panel, MessageBoxes& messages) {
            panel.selectPicture(picture);
            return panel.convert(&messages) && panel.openEnabled();
        };
    }

    bool importPicture(const std::string& title, const std::string& filter, PictureImportPanel& panel,
                       MessageBoxes& messages) override
    {
        titles.push_back(title);
        filters.push_back(filter);
        return script && script(panel, messages);
    }
    void showStatistics(const StatisticsRequest& request) override { statistics.push_back(request); }
    void threadCalculator() override { log.push_back("threadCalculator"); }
    void fabricCalculator(MessageBoxes&) override { log.push_back("fabricCalculator"); }
    void threadFinder(const PaletteStore&) override { log.push_back("threadFinder"); }
};

}  // namespace brenmark::test
