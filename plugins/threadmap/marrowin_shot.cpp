// The documentation's pictures: the dialog "绣线综合管理工具" with a filled grid, and the
// colour tool window over the DMC palette in colour order.
#include "editor/document/program_directory.h"
#include "plugins/host/color_tool_window.h"
#include "plugins/threadmap/marrowin_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    brenmark::MarrowinDialog dialog(brenmark::programDirectory());
    dialog.rowCountEdit()->setText(QStringLiteral("4"));
    dialog.addRows();
    const char* pairs[][2] = {{"A001", "310"}, {"A002", "321"}, {"A003", "B5200"}, {"A004", "3865"},
                              {"A005", "700"}, {"A006", "798"}, {"A007", "310"},   {"A008", "444"},
                              {"A009", "ECRU"}, {"A010", "3747"}};
    for (int k = 0; k < 10; ++k) {
        dialog.setCell(k / 3, 1 + 2 * (k % 3), pairs[k][0]);
        dialog.setCell(k / 3, 2 + 2 * (k % 3), pairs[k][1]);
    }
    dialog.nameEdit()->setText(QStringLiteral("HOMEBRAND"));
    dialog.show();
    app.processEvents();
    dialog.grab().save(out + QStringLiteral("/marrowin-dialog.png"));

    brenmark::ColorToolWindow tool;
    tool.ReadPAL("DMC");
    tool.setOrder(brenmark::ColorToolWindow::ByColour);
    tool.ReSizeColorTool(23 * 13 + 16, 15 * 12);
    tool.SetSelColor(tool.colours().empty() ? 0 : tool.colours()[0]);
    tool.show();
    app.processEvents();
    tool.grab().save(out + QStringLiteral("/plugin-colour-tool.png"));
    return 0;
}
