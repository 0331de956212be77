// The view tests paint with fonts, so they need a GUI application (offscreen is enough).

#include "interchange/ui_text.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // The same tests once more with the English catalogue loaded: what a step restores never
    // depends on the language its label is shown in.
    if (const char* catalogue = std::getenv("BRENMARK_TEST_CATALOGUE")) {
        if (!brenmark::loadUiCatalogue(catalogue)) {
            std::fprintf(stderr, "cannot read the catalogue %s\n", catalogue);
            return 1;
        }
    }
    return RUN_ALL_TESTS();
}
