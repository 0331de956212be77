#include "editor/app/qt_colour_dialogs.h"

#include "editor/output/colour_matching.h"
#include "editor/output/confetti_cleanup.h"
#include "editor/render/chart_symbol_font.h"
#include "editor/render/qt_colour.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace brenmark {

namespace {

// A thread list with a swatch before each number; the first row chooses nothing.
QComboBox* threadBox(QWidget* parent, const std::vector<ThreadChoice>& threads)
{
    auto* box = new QComboBox(parent);
    box->addItem(QString());
    for (const ThreadChoice& t : threads) {
        QPixmap swatch(16, 12);
        swatch.fill(qColour(t.colour));
        box->addItem(QIcon(swatch), fromGbk(t.number));
    }
    return box;
}

std::optional<ThreadChoice> chosen(const QComboBox* box, const std::vector<ThreadChoice>& threads)
{
    const int i = box->currentIndex() - 1;
    if (i < 0 || i >= static_cast<int>(threads.size()))
        return std::nullopt;
    return threads[static_cast<std::size_t>(i)];
}

QDialogButtonBox* buttons(QDialog& dialog, const char* ok = nullptr, const char* cancel = nullptr)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    box->button(QDialogButtonBox::Ok)->setText(uiQStringOf(ok ? ok : UI_TEXT_NOOP("确定")));
    box->button(QDialogButtonBox::Cancel)->setText(uiQStringOf(cancel ? cancel : UI_TEXT_NOOP("取消")));
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

}  // namespace

std::optional<int> QtColourDialogs::reduceCount(int threadsShown, int initial)
{
    bool ok = false;
    const int count = QInputDialog::getInt(parent_, uiQStringOf(kTitleReduceColours), uiQStringOf(kReduceColoursPrompt), initial, 0,
                                           std::max(threadsShown, 1), 1, &ok);
    return ok ? std::optional<int>(count) : std::nullopt;
}

std::optional<int> QtColourDialogs::confettiStrength()
{
    bool ok = false;
    const int strength = QInputDialog::getInt(parent_, uiQStringOf(kCleanConfettiCommand), uiQString("强度(1-10)"), 5, 1,
                                              kMaxConfettiStrength, 1, &ok);
    return ok ? std::optional<int>(strength) : std::nullopt;
}

std::optional<ReplaceAnswer> QtColourDialogs::chooseReplacement(const std::string& title,
                                                                const std::vector<ThreadChoice>& patternThreads,
                                                                const std::vector<ThreadChoice>& paletteThreads)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(uiQStringOf(title));
    auto* form = new QFormLayout(&dialog);
    const bool area = title == kTitleAreaReplace;
    QComboBox* from = threadBox(&dialog, patternThreads);
    QComboBox* to = threadBox(&dialog, paletteThreads);
    form->addRow(uiQStringOf(area ? UI_TEXT_NOOP("被代替颜色") : UI_TEXT_NOOP("要改的绣线")), from);
    form->addRow(uiQStringOf(area ? UI_TEXT_NOOP("代替后颜色") : UI_TEXT_NOOP("更改后绣线")), to);
    form->addRow(buttons(dialog, area ? UI_TEXT_NOOP("代替") : nullptr));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ReplaceAnswer{chosen(from, patternThreads), chosen(to, paletteThreads)};
}

std::optional<ThreadChoice> QtColourDialogs::chooseThreadToAdd(const std::vector<ThreadChoice>& paletteThreads)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(uiQStringOf(kTitleAddThread));
    auto* form = new QFormLayout(&dialog);
    QComboBox* thread = threadBox(&dialog, paletteThreads);
    form->addRow(uiQString("要增加的绣线"), thread);
    form->addRow(buttons(dialog, UI_TEXT_NOOP("添加关闭"), UI_TEXT_NOOP("取消关闭")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen(thread, paletteThreads);
}

std::optional<std::optional<ThreadChoice>> QtColourDialogs::chooseOutlineThread(
    const std::string& oldNumber, const std::vector<ThreadChoice>& paletteThreads)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(uiQStringOf(kTitleOutlineThread));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(fromGbk(oldNumber), &dialog));
    QComboBox* thread = threadBox(&dialog, paletteThreads);
    form->addRow(thread);
    form->addRow(buttons(dialog));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen(thread, paletteThreads);
}

QDialog* makeSymbolDialog(QWidget* parent, const std::string& currentSymbol, const std::vector<std::string>& symbols,
                          bool clearSymbols)
{
    auto* dialog = new QDialog(parent);
    dialog->setWindowTitle(uiQStringOf(kTitleChangeSymbol));
    auto* layout = new QVBoxLayout(dialog);
    if (clearSymbols) {
        // The current symbol in the font it is drawn in.
        auto* caption = new QLabel(dialog);
        caption->setTextFormat(Qt::RichText);
        caption->setText(fromGbk(changeSymbolCaption("")).toHtmlEscaped() + u"<span style=\"font-family:'%1'; font-size:16px\">%2</span>"_qs.arg(
                                                                                  chartSymbolFontFamily(), fromGbk(currentSymbol).toHtmlEscaped()));
        layout->addWidget(caption);
    } else {
        layout->addWidget(new QLabel(fromGbk(changeSymbolCaption(currentSymbol)), dialog));
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    // The chosen symbol stands out from the rest of the grid.
    dialog->setStyleSheet(u"QPushButton:checked { background: #2f6fd0; color: white; }"_qs);
    auto* group = new QButtonGroup(dialog);
    group->setObjectName(u"symbols"_qs);
    group->setExclusive(true);
    for (int i = 0; i < static_cast<int>(symbols.size()); ++i) {
        const std::optional<GridSpot> spot = symbolGridSpot(i, static_cast<int>(symbols.size()));
        if (!spot)
            break;
        auto* button = new QPushButton(fromGbk(symbols[static_cast<std::size_t>(i)]), dialog);
        button->setCheckable(true);
        button->setFixedSize(24, 24);
        if (clearSymbols)
            button->setFont(symbolFont(true, 16));
        button->setChecked(symbols[static_cast<std::size_t>(i)] == currentSymbol);
        group->addButton(button, i);
        grid->addWidget(button, spot->row, spot->column);
    }
    layout->addLayout(grid);
    layout->addWidget(buttons(*dialog));
    return dialog;
}

std::optional<std::string> QtColourDialogs::chooseSymbol(const std::string& currentSymbol,
                                                         const std::vector<std::string>& symbols, bool clearSymbols)
{
    std::unique_ptr<QDialog> dialog(makeSymbolDialog(parent_, currentSymbol, symbols, clearSymbols));
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const int id = dialog->findChild<QButtonGroup*>(u"symbols"_qs)->checkedId();
    if (id < 0)
        return std::nullopt;
    return symbols[static_cast<std::size_t>(id)];
}

}  // namespace brenmark
