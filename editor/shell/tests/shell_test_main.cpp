// The shell tests show widgets, so they run under one application object. It lives in main,
// not in a static: ended before the program's static objects are, it still finds Qt's
// per-thread storage (the fonts a pane laid out) and frees what the main thread kept there.
#include <QApplication>

#include <gtest/gtest.h>

QCoreApplication& shellTestApp()
{
    return *QCoreApplication::instance();
}

int main(int argc, char** argv)
{
    // Listing the tests at build time happens without a display too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
