// glimbert-standin-picker: a colour picker for the end-to-end test. Its seven fields are
// named "Red", "Green", "Blue", "C", "M", "Y", "K" on the accessibility bus, and C, M, Y, K
// follow Red, Green, Blue at every change, as a real picker's do.
// Lines on standard input: "dump" prints "fields" and the seven texts; "keys" prints how
// many key presses reached Red, Green and Blue; "activate" makes the window the active one
// (the keyboard focus then follows a field's focus); "quit".
// It prints "ready" once its window is shown.
#include "cmyktool/stdin_lines.h"

#include <QApplication>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

using namespace brenmark::glimbert;

namespace {

// The plain conversion: K from the brightest channel, C, M, Y from what is left; percent.
std::array<int, 4> naiveCmyk(int red, int green, int blue)
{
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double k = 1.0 - std::max({r, g, b});
    if (k >= 1.0)
        return {0, 0, 0, 100};
    auto part = [k](double v) { return static_cast<int>(std::lround(100.0 * (1.0 - v - k) / (1.0 - k))); };
    return {part(r), part(g), part(b), static_cast<int>(std::lround(100.0 * k))};
}

// Counts the key presses a field receives.
class KeyCounter final : public QObject {
public:
    using QObject::QObject;
    int presses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++presses;
        return QObject::eventFilter(watched, event);
    }
};

int channel(const QLineEdit* field)
{
    return std::clamp(field->text().toInt(), 0, 255);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(u"glimbert-standin-picker"_qs);
    QWidget window;
    window.setWindowTitle(u"Color Picker"_qs);
    auto* form = new QFormLayout(&window);
    const char* names[7] = {"Red", "Green", "Blue", "C", "M", "Y", "K"};
    std::array<QLineEdit*, 7> fields{};
    for (int i = 0; i < 7; ++i) {
        fields[i] = new QLineEdit(&window);
        fields[i]->setAccessibleName(QString::fromLatin1(names[i]));
        fields[i]->setReadOnly(i >= 3);
        // The label carries the same name: only the field itself may be taken for it.
        form->addRow(QString::fromLatin1(names[i]), fields[i]);
    }
    auto recompute = [&fields] {
        const auto cmyk = naiveCmyk(channel(fields[0]), channel(fields[1]), channel(fields[2]));
        for (int i = 0; i < 4; ++i)
            fields[3 + i]->setText(QString::number(cmyk[i]));
    };
    KeyCounter keys;
    for (int i = 0; i < 3; ++i) {
        fields[i]->installEventFilter(&keys);
        fields[i]->setText(u"255"_qs);
        QObject::connect(fields[i], &QLineEdit::textChanged, &window, recompute);
    }
    recompute();

    StdinLines input;
    QObject::connect(&input, &StdinLines::finished, &app, &QApplication::quit);
    QObject::connect(&input, &StdinLines::line, &window, [&](const QString& line) {
        if (line == u"dump") {
            QStringList texts;
            for (int i = 0; i < 7; ++i)
                texts << fields[i]->text();
            printLine(u"fields "_qs + texts.join(u' '));
        } else if (line == u"keys") {
            printLine(u"keys %1"_qs.arg(keys.presses));
        } else if (line == u"activate") {
            window.activateWindow();
            window.raise();
            printLine(u"activated"_qs);
        } else if (line == u"quit") {
            app.quit();
        } else if (!line.isEmpty()) {
            printLine(u"unknown "_qs + line);
        }
    });

    window.move(20, 360);
    window.show();
    QTimer::singleShot(0, &app, [] { printLine(u"ready"_qs); });
    return app.exec();
}
