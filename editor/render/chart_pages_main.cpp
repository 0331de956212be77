// brenmark-chart-pages FILE FOLDER [--bw | --coloured-symbols] [--pdf]: writes the printed pages
// of a pattern on A4 as PNG pictures (or one PDF) into a folder, for looking at them.
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/program_directory.h"
#include "editor/render/chart_export.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace brenmark;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: brenmark-chart-pages FILE FOLDER [--bw | --coloured-symbols] [--pdf]\n";
        return 2;
    }
    ChartStyle style = ChartStyle::PrintColour;
    bool pdf = false;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bw"))
            style = ChartStyle::PrintBlackWhite;
        else if (!std::strcmp(argv[i], "--coloured-symbols"))
            style = ChartStyle::ColouredSymbols;
        else if (!std::strcmp(argv[i], "--pdf"))
            pdf = true;
    }
    const PaletteStore palettes(programDirectory());
    SilentMessages messages;
    PatternDocument doc;
    if (loadPattern(argv[1], LoadMode::Library, doc, {&palettes, &messages, nullptr}).result == LoadResult::Failed) {
        std::cerr << "brenmark-chart-pages: cannot open " << argv[1] << '\n';
        return 1;
    }
    Palette dmc;
    std::optional<FabricName> fabric;
    if (palettes.load("DMC", dmc))
        fabric = nameFabricColor(doc.fabric, dmc);
    const ChartLayout layout(doc, PrintSettings{}, paperUnits(210, 297), fabric);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString base = QFileInfo(QString::fromLocal8Bit(argv[1])).completeBaseName();
    QString error;
    if (pdf) {
        if (!writeChartPdf(layout, folder + u'/' + base + u".pdf"_qs, style, &error)) {
            std::cerr << error.toStdString() << '\n';
            return 1;
        }
        return 0;
    }
    const QStringList files = writePagePictures(layout, folder, base, "PNG", style, &error);
    if (files.isEmpty()) {
        std::cerr << error.toStdString() << '\n';
        return 1;
    }
    for (const QString& f : files)
        std::cout << f.toStdString() << '\n';
    return 0;
}
