// glimbert-standin-table: the table program for the end-to-end test, a window titled
// "CMYK绣线工具" reachable over the accessibility bus.
//   glimbert-standin-table [NUMBER RED GREEN BLUE]
// Lines on standard input:
//   thread NUMBER RED GREEN BLUE   the current thread (as the user would type it)
//   dump                           prints "row" lines (cells joined by tabs), then "end"
//   fields                         prints the four fields joined by tabs
//   activate                       makes the window active with the keyboard focus in
//                                  the thread number field
//   quit
// It prints "ready" once its window is shown.
#include "cmyktool/stdin_lines.h"
#include "cmyktool/tests/standin_table.h"

#include "interchange/gbk_qstring.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

using namespace brenmark;
using namespace brenmark::glimbert;

namespace {

bool setThread(StandinTable& table, const QStringList& words)
{
    if (words.size() != 4)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = words[i + 1].toInt(&ok);
        if (!ok)
            return false;
    }
    table.setThread(words[0], rgb[0], rgb[1], rgb[2]);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(u"glimbert-standin-table"_qs);
    StandinTable table;
    const QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && !setThread(table, args)) {
        std::fprintf(stderr, "usage: glimbert-standin-table [NUMBER RED GREEN BLUE]\n");
        return 2;
    }

    StdinLines input;
    QObject::connect(&input, &StdinLines::finished, &app, &QApplication::quit);
    QObject::connect(&input, &StdinLines::line, &table, [&](const QString& line) {
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        const QString command = words.isEmpty() ? QString() : words.takeFirst();
        if (command == u"thread") {
            printLine(setThread(table, words) ? u"ok"_qs : u"bad thread"_qs);
        } else if (command == u"dump") {
            StandinList* list = table.list();
            for (int r = 0; r < list->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < list->columnCount(); ++c)
                    cells << list->cellString(r, c);
                printLine(u"row\t"_qs + cells.join(u'\t'));
            }
            printLine(u"end"_qs);
        } else if (command == u"fields") {
            QStringList texts;
            for (int f = 1; f < kTableFieldCount; ++f)
                texts << fromGbk(*table.readField(static_cast<TableField>(f), 512));
            printLine(u"fields\t"_qs + texts.join(u'\t'));
        } else if (command == u"activate") {
            table.activateWindow();
            table.raise();
            table.focusNumberField();
            printLine(u"activated"_qs);
        } else if (command == u"quit") {
            app.quit();
        } else if (!command.isEmpty()) {
            printLine(u"unknown "_qs + command);
        }
    });

    table.move(840, 20);
    table.show();
    QTimer::singleShot(0, &app, [] { printLine(u"ready"_qs); });
    return app.exec();
}
