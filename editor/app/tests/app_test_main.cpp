// The window tests need a widget application; the offscreen platform is enough.
#include "editor/app/tests/app_test_support.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace brenmark::test {

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "brenmark-app-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    path_ = pattern + "/";
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

void makeFolder(const std::string& path)
{
    std::filesystem::create_directories(path);
}

void writePalette(const std::string& dir, const std::string& brand, const std::vector<std::pair<std::string, ColorRef>>& entries)
{
    const PaletteStore store(dir);
    store.ensurePaletteFolder();
    std::vector<ColorRef> colours;
    std::vector<std::string> numbers;
    for (const auto& [number, colour] : entries) {
        numbers.push_back(number);
        colours.push_back(colour);
    }
    if (!store.save(brand, colours, numbers))
        std::abort();
}

}  // namespace brenmark::test

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"BrenmarkTests"_qs);
    QCoreApplication::setApplicationName(u"app_tests"_qs);
    // Window geometry the tests remember goes to a scratch folder, not the user's settings.
    const brenmark::test::ScratchDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings.path()));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
