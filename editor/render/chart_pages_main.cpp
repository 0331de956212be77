// brenmark-chart-pages FILE FOLDER [--bw | --coloured-symbols] [--pdf | --emf]: writes the
// printed pages of a pattern on A4 as PNG pictures (or one PDF, or one metafile a page) into a
// folder, for looking at them.
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "editor/render/chart_export.h"
#include "editor/render/emf_writer.h"
#include "interchange/ui_text.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace brenmark;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Pictures of the English interface with BRENMARK_LANG=en; Chinese otherwise.
    if (const char* language = std::getenv("BRENMARK_LANG"))
        if (const auto chosen = brenmark::parseUiLanguage(language))
            brenmark::setUiLanguage(*chosen, brenmark::programFolders().shipped);
    if (argc < 3) {
        std::cerr << "usage: brenmark-chart-pages FILE FOLDER [--bw | --coloured-symbols] [--pdf | --emf]\n";
        return 2;
    }
    ChartStyle style = ChartStyle::PrintColour;
    bool pdf = false, emf = false;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bw"))
            style = ChartStyle::PrintBlackWhite;
        else if (!std::strcmp(argv[i], "--coloured-symbols"))
            style = ChartStyle::ColouredSymbols;
        else if (!std::strcmp(argv[i], "--pdf"))
            pdf = true;
        else if (!std::strcmp(argv[i], "--emf"))
            emf = true;
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
    if (emf) {
        if (!QDir().mkpath(folder)) {
            std::cerr << "brenmark-chart-pages: cannot create " << argv[2] << '\n';
            return 1;
        }
        const int total = layout.grid().total;
        for (int n = 1; n <= total; ++n) {
            const QString suffix = n == total ? u"KEY"_qs : QString::number(n);
            const QString path = QDir(folder).filePath(base + u'_' + suffix + u".emf"_qs);
            if (!writeEmf(path, layout.pageSize(), [&](QPainter& p) { layout.drawPage(p, n, style); }, &error)) {
                std::cerr << error.toStdString() << '\n';
                return 1;
            }
            std::cout << path.toStdString() << '\n';
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
