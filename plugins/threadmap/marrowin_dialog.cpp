#include "plugins/threadmap/marrowin_dialog.h"

#include "interchange/file_bytes.h"
#include "editor/widgets/message_box.h"
#include "interchange/gbk_qstring.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace brenmark {

namespace {

constexpr const char* kColumnCaptions[] = {UI_TEXT_NOOP("行"), UI_TEXT_NOOP("线号"), "DMC", UI_TEXT_NOOP("线号"), "DMC", UI_TEXT_NOOP("线号"), "DMC"};

QString filterText()
{
    return uiQString("绣库对应文件 (*.x2x)") + u";;"_qs;
}

// The cell editor hands the arrow keys to the dialog, which moves the edit box.
class CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(MarrowinDialog& dialog, QObject* parent) : QStyledItemDelegate(parent), dialog_(dialog) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        editing_ = index;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right) {
                auto* editor = static_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                const QModelIndex from = editing_;
                QMetaObject::invokeMethod(
                    &dialog_, [this, from, key] { dialog_.editNeighbour(from.row(), from.column(), key); },
                    Qt::QueuedConnection);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    MarrowinDialog& dialog_;
    mutable QModelIndex editing_;
};

}  // namespace

void QtMappingDialogs::show(const std::string& text, const std::string& title, MessageIcon icon)
{
    showMessageBox(parent_, text, title, icon);
}

std::optional<std::string> QtMappingDialogs::openMappingFile()
{
    const QString path = QFileDialog::getOpenFileName(parent_, {}, {}, filterText(), nullptr,
                                                      QFileDialog::ReadOnly);
    if (path.isEmpty())
        return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

std::optional<std::string> QtMappingDialogs::saveMappingFile()
{
    const QString path = QFileDialog::getSaveFileName(parent_, {}, {}, filterText());
    if (path.isEmpty())
        return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

MarrowinDialog::MarrowinDialog(std::string programDir, MappingDialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      programDir_(std::move(programDir)),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtMappingDialogs>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get())
{
    setObjectName(u"marrowinDialog"_qs);
    setWindowTitle(uiQString("绣线综合管理工具"));
    auto* outer = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    outer->addWidget(tabs_);
    auto* page = new QWidget;
    tabs_->addTab(page, uiQString("生成绣线库"));
    auto* close = new QPushButton(uiQString("关闭"), this);
    close->setObjectName(u"close"_qs);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(close, 0, Qt::AlignRight);

    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(uiQString("输入行数")), 0, 0);
    rowCount_ = new QLineEdit(u"1"_qs);
    rowCount_->setObjectName(u"rowCount"_qs);
    layout->addWidget(rowCount_, 0, 1);
    const auto button = [&](const char* caption, const char16_t* name, int row, int column, auto work) {
        auto* b = new QPushButton(uiQStringOf(caption));
        b->setObjectName(QString::fromUtf16(name));
        connect(b, &QPushButton::clicked, this, work);
        layout->addWidget(b, row, column);
    };
    button(UI_TEXT_NOOP("加入行"), u"addRows", 0, 2, [this] { addRows(); });
    button(UI_TEXT_NOOP("读入输入"), u"loadInput", 0, 3, [this] { loadInput(); });
    button(UI_TEXT_NOOP("保存输入"), u"saveInput", 0, 4, [this] { saveInput(); });

    table_ = new QTableWidget(0, 7);
    table_->setObjectName(u"grid"_qs);
    QStringList headers;
    for (const char* c : kColumnCaptions)
        headers << uiQStringOf(c);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setDefaultSectionSize(72);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked);
    table_->setItemDelegate(new CellDelegate(*this, table_));
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QTableWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(uiQString("增加行"), this, [this] { addOneRow(); });
        menu.exec(table_->viewport()->mapToGlobal(at));
    });
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() > 0)
            grid_.setText(item->row(), item->column(), toGbk(item->text()));
    });
    layout->addWidget(table_, 1, 0, 1, 5);

    layout->addWidget(new QLabel(uiQString("输入新库名")), 2, 0);
    name_ = new QLineEdit;
    name_->setObjectName(u"libraryName"_qs);
    layout->addWidget(name_, 2, 1, 1, 2);
    button(UI_TEXT_NOOP("生成库"), u"buildLibrary", 2, 4, [this] { buildLibrary(); });
    tabs_->setCurrentIndex(0);
    resize(560, 420);
}

MarrowinDialog::~MarrowinDialog() = default;

void MarrowinDialog::showGrid()
{
    filling_ = true;
    table_->setRowCount(grid_.rowCount());
    for (int r = 0; r < grid_.rowCount(); ++r) {
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(fromGbk(grid_.row(r)[static_cast<std::size_t>(c)]));
            if (c == 0)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table_->setItem(r, c, item);
        }
    }
    filling_ = false;
}

void MarrowinDialog::addRows()
{
    bool ok = false;
    const int count = rowCount_->text().trimmed().toInt(&ok);
    if (!ok || count <= 0)
        return;
    grid_.addRows(std::min(count, 100000));
    showGrid();
}

void MarrowinDialog::addOneRow()
{
    grid_.addRows(1);
    showGrid();
}

void MarrowinDialog::setCell(int row, int column, const std::string& text)
{
    grid_.setText(row, column, text);
    showGrid();
}

void MarrowinDialog::editNeighbour(int row, int column, int key)
{
    switch (key) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left:
        if (--column < 1) {
            column = 6;
            --row;
        }
        break;
    case Qt::Key_Right:
        if (++column > 6) {
            column = 1;
            ++row;
        }
        break;
    default: return;
    }
    if (row < 0 || row >= grid_.rowCount())
        return;
    table_->setCurrentCell(row, column);
    table_->editItem(table_->item(row, column));
}

void MarrowinDialog::loadInput()
{
    const std::optional<std::string> path = dialogs_->openMappingFile();
    if (!path)
        return;
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(*path, bytes))
        return;
    const std::optional<MappingRead> read = decodeMapping(bytes);
    if (!read)
        return;
    grid_.appendPairs(read->pairs);
    showGrid();
    if (read->cutShort) {
        char text[128];
        std::snprintf(text, sizeof text, kMappingCutShort, static_cast<int>(read->pairs.size()));
        dialogs_->show(text, kTitleInfo, MessageIcon::Warning);
    }
}

void MarrowinDialog::saveInput()
{
    const std::vector<MappingPair> pairs = grid_.allPairs();
    const std::optional<std::string> path = dialogs_->saveMappingFile();
    if (!path)
        return;
    replaceFile(withMappingExtension(*path), encodeMapping(pairs));
}

BuildOutcome MarrowinDialog::buildLibrary()
{
    return buildThreadLibrary(PaletteStore(programDir_), toGbk(name_->text()), grid_.pairsToBuild(), *dialogs_);
}

}  // namespace brenmark
