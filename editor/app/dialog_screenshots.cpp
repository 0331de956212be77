// Pictures of the picture dialog after a conversion, of the statistics window and of the
// print windows (the print details, the print choice, the preview of a chart page), for the
// documentation: brenmark-dialog-shots OUTDIR [PROGRAMDIR] (run under xvfb-run). The picture
// it converts is drawn here, so the shots come out the same every time.
#include "editor/app/document_commands.h"
#include "editor/app/picture_import_dialog.h"
#include "editor/app/print_choice_dialog.h"
#include "editor/app/print_preview_window.h"
#include "editor/app/print_settings_dialog.h"
#include "editor/app/statistics_window.h"
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "editor/output/picture_decode.h"
#include "editor/output/print_preview.h"
#include "editor/render/chart_export.h"
#include "interchange/ui_text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// A small landscape: sky, sun, two hills and a house.
QImage landscape()
{
    QImage image(240, 160, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 110);
    sky.setColorAt(0, QColor(70, 130, 220));
    sky.setColorAt(1, QColor(190, 220, 250));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QPoint(190, 35), 20, 20);
    p.setBrush(QColor(60, 150, 60));
    p.drawEllipse(QRect(-60, 90, 220, 140));
    p.setBrush(QColor(40, 110, 50));
    p.drawEllipse(QRect(100, 100, 220, 130));
    p.setBrush(QColor(200, 60, 50));
    p.drawPolygon(QPolygon({QPoint(60, 95), QPoint(90, 70), QPoint(120, 95)}));
    p.setBrush(QColor(240, 230, 200));
    p.drawRect(66, 95, 48, 32);
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(84, 108, 12, 19);
    return image;
}

// The preview's pages of one pattern on A4, turned by its shape.
class LayoutPages final : public brenmark::PreviewSource {
public:
    LayoutPages(const brenmark::PatternDocument& doc, const brenmark::PrintSettings& settings)
        : layout_(doc, settings,
                  doc.width() < doc.height() ? brenmark::paperUnits(210, 297) : brenmark::paperUnits(297, 210))
    {
    }
    std::vector<std::string> previewPages() override { return brenmark::pageNames(layout_.grid()); }
    QImage previewPage(const brenmark::PreviewOptions& options) override
    {
        return brenmark::printPageImage(layout_, options.page,
                                        brenmark::printStyle(options.colour, options.colouredSymbols));
    }
    const brenmark::ChartLayout& layout() const { return layout_; }

private:
    brenmark::ChartLayout layout_;
};

bool shoot(QWidget& widget, const QString& path)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().save(path);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Pictures of the English interface with BRENMARK_LANG=en; Chinese otherwise.
    if (const char* language = std::getenv("BRENMARK_LANG"))
        if (const auto chosen = brenmark::parseUiLanguage(language))
            brenmark::setUiLanguage(*chosen, brenmark::programFolders().shipped);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brenmark-dialog-shots OUTDIR [PROGRAMDIR]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const std::string programDir = argc > 2 ? std::string(argv[2]) + "/" : brenmark::programDirectory();
    QTemporaryDir scratch;
    const QString picture = scratch.filePath(u"landscape.png"_qs);
    landscape().save(picture);

    brenmark::PaletteStore palettes(programDir);
    brenmark::SilentMessages messages;
    brenmark::PictureImportPanel panel(palettes);
    brenmark::PictureImportDialog dialog(brenmark::kTitleImportPicture, brenmark::pictureImportFilter(), panel, messages);
    dialog.fileDialog()->setDirectory(scratch.path());
    dialog.fileDialog()->selectFile(picture);
    dialog.selectPicture(picture);
    panel.editWidth("60");
    dialog.convert();
    dialog.resize(1000, 520);
    dialog.show();
    QApplication::processEvents();
    bool ok = dialog.grab().save(QDir(out).filePath(u"picture-import.png"_qs));

    auto pattern = brenmark::buildImportedPattern(panel.result(), panel.convertedBrand(), palettes,
                                                  brenmark::ImportKind::Picture, brenmark::kWhite, &messages);
    if (!pattern) {
        std::fprintf(stderr, "the conversion made no pattern (is PAL/DMC.pal there?)\n");
        return 1;
    }
    brenmark::StatisticsRequest request;
    request.rows = brenmark::threadStatistics(*pattern, brenmark::kDefaultFabric, brenmark::kDefaultStrands);
    request.brand = pattern->brand;
    request.width = pattern->width();
    request.height = pattern->height();
    request.fabric = brenmark::kDefaultFabric;
    request.strands = brenmark::kDefaultStrands;
    brenmark::StatisticsWindow window(request);
    window.show();
    QApplication::processEvents();
    ok = window.grab().save(QDir(out).filePath(u"thread-statistics.png"_qs)) && ok;

    // The print windows over the same pattern, with cells of 4 mm so the preview's page
    // shows its symbols.
    brenmark::PrintSettings print;
    print.cellSize = brenmark::cellPixelsFromMillimetres(4.0);
    brenmark::PrintSettingsDialog details(print);
    ok = shoot(details, QDir(out).filePath(u"print-settings.png"_qs)) && ok;
    LayoutPages pages(*pattern, print);
    brenmark::PrintChoiceRequest choice{pages.layout().grid(), pages.previewPages(), {}};
    brenmark::PrintChoiceDialog chooser(choice);
    ok = shoot(chooser, QDir(out).filePath(u"print-choice.png"_qs)) && ok;
    brenmark::PrintPreviewWindow preview(pages, brenmark::PreviewOptions{});
    preview.resize(900, 700);
    ok = shoot(preview, QDir(out).filePath(u"print-preview.png"_qs)) && ok;
    return ok ? 0 : 1;
}
