// The documentation's picture: the dialog beside a stand-in "CMYK绣线工具" after three
// threads went through the built-in picker. glimbert-shot OUTFILE.png (runs offscreen).
#include "cmyktool/glimbert_dialog.h"
#include "cmyktool/tests/standin_table.h"

#include <QApplication>
#include <QPainter>

#include <cstdio>

using namespace brenmark::glimbert;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: glimbert-shot OUTFILE.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StandinTable table;
    BuiltinPicker builtin;
    brenmark::SilentMessages messages;
    DialogPartners partners;
    partners.table = &table;
    partners.builtinPicker = &builtin;
    partners.messages = &messages;
    GlimbertDialog dialog(partners, false);
    dialog.setUsesBuiltinPicker(true);

    struct Thread {
        const char* number;
        int r, g, b;
    };
    for (const Thread& t : {Thread{"310", 0, 0, 0}, Thread{"321", 199, 43, 59}, Thread{"798", 70, 106, 142}}) {
        table.setThread(QString::fromLatin1(t.number), t.r, t.g, t.b);
        if (dialog.runCycle().outcome != CycleOutcome::Written)
            return 1;
    }
    table.show();
    dialog.show();
    dialog.adjustSize();
    const QPixmap left = dialog.grab();
    const QPixmap right = table.grab();
    QPixmap shot(left.width() + right.width() + 24, std::max(left.height(), right.height()) + 16);
    shot.fill(QColor(80, 96, 112));
    QPainter p(&shot);
    p.drawPixmap(8, 8, left);
    p.drawPixmap(left.width() + 16, 8, right);
    p.end();
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
