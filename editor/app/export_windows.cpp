#include "editor/app/export_windows.h"

#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

namespace {

// The two choices of one group box, the first or the second checked.
QRadioButton* pair(QGroupBox* box, const char* first, const char* second, bool secondChecked, const QString& name)
{
    auto* a = new QRadioButton(uiQStringOf(first), box);
    auto* b = new QRadioButton(uiQStringOf(second), box);
    a->setObjectName(name + u"First"_qs);
    b->setObjectName(name + u"Second"_qs);
    (secondChecked ? b : a)->setChecked(true);
    auto* row = new QHBoxLayout(box);
    row->addWidget(a);
    row->addWidget(b);
    return b;
}

std::optional<ExportOptions> askOptions(QWidget* parent, const char* title, const char* symbolsCaption,
                                        const ExportOptions& shown, bool pictures, bool chartAppOffered = false)
{
    QDialog dialog(parent);
    dialog.setObjectName(u"exportOptionsDialog"_qs);
    dialog.setWindowTitle(uiQStringOf(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* colourBox = new QGroupBox(uiQString("导出绣图颜色"), &dialog);
    QRadioButton* colour = pair(colourBox, UI_TEXT_NOOP("黑白绣图"), UI_TEXT_NOOP("彩色绣图"), shown.colour, u"colour"_qs);
    auto* modeBox = new QGroupBox(uiQString("导出绣图方式"), &dialog);
    QRadioButton* pages = pair(modeBox, UI_TEXT_NOOP("整幅导出"), UI_TEXT_NOOP("按打印导出"), shown.mode == ExportMode::Pages, u"mode"_qs);
    auto* symbols = new QCheckBox(uiQStringOf(symbolsCaption), &dialog);
    symbols->setObjectName(u"colouredSymbols"_qs);
    symbols->setChecked(shown.colouredSymbols);
    // Pictures only: how many pixels an inch of the printed chart gets.
    QComboBox* resolution = nullptr;
    QWidget* resolutionRow = nullptr;
    if (pictures) {
        resolutionRow = new QWidget(&dialog);
        auto* row = new QHBoxLayout(resolutionRow);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel(uiQStringOf(kResolutionCaption), resolutionRow));
        resolution = new QComboBox(resolutionRow);
        resolution->setObjectName(u"resolution"_qs);
        for (const int dpi : kExportResolutions)
            resolution->addItem(QString::number(dpi), dpi);
        resolution->setCurrentIndex(std::max(0, resolution->findData(shown.dotsPerInch)));
        row->addWidget(resolution);
    }
    // PDF only: pages for chart-reader apps (always by page, so the mode is left to them).
    QCheckBox* chartApp = nullptr;
    if (chartAppOffered) {
        chartApp = new QCheckBox(uiQStringOf(kChartAppCaption), &dialog);
        chartApp->setObjectName(u"chartApp"_qs);
        chartApp->setChecked(shown.chartApp);
        QObject::connect(chartApp, &QCheckBox::toggled, modeBox, [modeBox](bool on) { modeBox->setEnabled(!on); });
        modeBox->setEnabled(!shown.chartApp);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(uiQString("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiQString("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(colourBox);
    layout->addWidget(modeBox);
    layout->addWidget(symbols);
    if (resolutionRow)
        layout->addWidget(resolutionRow);
    if (chartApp)
        layout->addWidget(chartApp);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    ExportOptions chosen;
    chosen.colour = colour->isChecked();
    chosen.mode = pages->isChecked() ? ExportMode::Pages : ExportMode::Whole;
    chosen.colouredSymbols = symbols->isChecked();
    chosen.dotsPerInch = resolution ? resolution->currentData().toInt() : shown.dotsPerInch;
    chosen.chartApp = chartApp && chartApp->isChecked();
    return chosen;
}

}  // namespace

std::optional<ExportOptions> QtExportDialogs::imageOptions(const ExportOptions& shown)
{
    return askOptions(parent_, UI_TEXT_NOOP("导出提示"), UI_TEXT_NOOP("彩色符"), shown, true);
}

std::optional<ExportOptions> QtExportDialogs::vectorOptions(const ExportOptions& shown)
{
    return askOptions(parent_, UI_TEXT_NOOP("导出矢量绣图"), UI_TEXT_NOOP("彩色字符"), shown, false);
}

std::optional<ExportOptions> QtExportDialogs::pdfOptions(const ExportOptions& shown)
{
    return askOptions(parent_, UI_TEXT_NOOP("导出提示"), UI_TEXT_NOOP("彩色符"), shown, true, true);
}

bool DetachedProgramStarter::startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList args;
    for (const std::string& a : arguments)
        args << QFile::decodeName(QByteArray::fromStdString(a));
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), args);
}

}  // namespace brenmark
