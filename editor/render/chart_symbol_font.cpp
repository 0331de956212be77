#include "editor/render/chart_symbol_font.h"

#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

#include <mutex>

namespace brenmark {
namespace {

constexpr const char* kFontFile = "fonts/BrenmarkChartSymbols.ttf";

QString registerFont()
{
    QStringList places{QString::fromStdString(programFolders().shipped + kFontFile),
                       QString::fromStdString(programDirectory() + kFontFile)};
    for (const QString& path : places) {
        if (!QFileInfo(path).isFile())
            continue;
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        if (!families.isEmpty())
            return families.front();
    }
    return {};
}

}  // namespace

QString chartSymbolFontFamily()
{
    static std::once_flag once;
    static QString family;
    std::call_once(once, [] { family = registerFont(); });
    return family;
}

}  // namespace brenmark
