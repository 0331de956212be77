#include "editor/shell/web_pane.h"

#include "netcall/tests/service_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace brenmark;

// The program's application object (shell_test_main.cpp).
QCoreApplication& shellTestApp();

namespace {

void widgets()
{
    shellTestApp();
}

}  // namespace

TEST(WebPane, NoAddressHidesThePane)
{
    widgets();
    WebPaneDialog dialog(Pane::Top);
    paneTable()[static_cast<std::size_t>(Pane::Top)].clear();
    WebPane pane(Pane::Top);
    EXPECT_TRUE(pane.isHidden());
    WebPane blank("  ");
    EXPECT_TRUE(blank.isHidden());
}

TEST(WebPane, FallbackShowsTheAddressAsALinkAndTheServicePage)
{
    widgets();
    paneTableFromService() = false;
    WebPane builtIn(kSiteAddress);
    if (builtIn.showsBrowser())
        GTEST_SKIP() << "built with Qt WebEngine";
    auto* link = builtIn.findChild<QLabel*>(u"paneLink"_qs);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->openExternalLinks());
    EXPECT_TRUE(link->text().contains(QString::fromLatin1(kSiteAddress)));
    EXPECT_TRUE(builtIn.findChild<QTextBrowser*>(u"paneText"_qs)->isHidden());  // never fetched

    ReferenceService service;
    ASSERT_TRUE(service.running());
    paneTableFromService() = true;
    WebPane pane(service.base() + "/pane/PrintHtml");
    bool shown = false;
    QObject::connect(&pane, &WebPane::pageShown, [&] { shown = true; });
    QElapsedTimer clock;
    clock.start();
    while (!shown && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(pane.findChild<QTextBrowser*>(u"paneText"_qs)->toPlainText().contains(u"PrintHtml"_qs));
    paneTableFromService() = false;
}
