// A picture of a pane dialog showing a page, for the documentation:
//   brenmark-pane-shot OUT.png ADDRESS   (run under xvfb-run, e.g. with scripts/service.py)
#include "editor/shell/web_pane.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: brenmark-pane-shot OUT.png ADDRESS\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    brenmark::paneTable()[static_cast<std::size_t>(brenmark::Pane::Top)] = argv[2];
    brenmark::paneTableFromService() = true;
    brenmark::WebPaneDialog dialog(brenmark::Pane::Top);
    dialog.setWindowTitle(u"Brenmark"_qs);
    dialog.resize(560, 300);
    dialog.show();
    int status = 1;
    QObject::connect(dialog.pane(), &brenmark::WebPane::pageShown, &dialog, [&] {
        QTimer::singleShot(300, &dialog, [&] {
            status = dialog.grab().save(out) ? 0 : 1;
            app.quit();
        });
    });
    QTimer::singleShot(15000, &app, &QApplication::quit);
    app.exec();
    return status;
}
