#include "cmyktool/tests/standin_list.h"

#include <QAccessibleWidget>
#include <QHeaderView>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <map>
#include <utility>

namespace brenmark::glimbert {
namespace {

constexpr const char* kInsertRowAction = "insertRow";

StandinList* listOf(QObject* object)
{
    return qobject_cast<StandinList*>(object);
}

// One cell: it lives as long as the list (rows are only ever added), and is told apart by
// its row and column.
class ListCell final : public QAccessibleInterface,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface,
                       public QAccessibleTableCellInterface {
public:
    ListCell(StandinList* list, int row, int column) : list_(list), row_(row), column_(column) {}

    bool isValid() const override
    {
        return list_ && row_ < list_->rowCount() && column_ < list_->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name || t == QAccessible::Value ? contents() : QString();
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            setContents(text);
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect inView = list_->visualItemRect(list_->item(row_, column_));
        const QRect cell = inView.isValid() ? inView
                                            : QRect(list_->columnViewportPosition(column_),
                                                    list_->rowViewportPosition(row_), list_->columnWidth(column_),
                                                    list_->rowHeight(row_));
        return QRect(list_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.editable = true;
        s.selectable = true;
        s.invalid = !isValid();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        switch (type) {
        case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface: return static_cast<QAccessibleEditableTextInterface*>(this);
        case QAccessible::TableCellInterface: return static_cast<QAccessibleTableCellInterface*>(this);
        default: return nullptr;
        }
    }

    // Text: the whole contents, no selection, the cursor at the start.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString all = contents();
        start = std::clamp(start, 0, int(all.size()));
        end = end < 0 ? int(all.size()) : std::clamp(end, start, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(contents().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

    // EditableText: offsets beyond the contents are clamped to it.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        QString all = contents();
        start = std::clamp(start, 0, int(all.size()));
        end = std::clamp(end, start, int(all.size()));
        setContents(all.replace(start, end - start, text));
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QString contents() const { return isValid() ? list_->cellString(row_, column_) : QString(); }
    void setContents(const QString& text)
    {
        if (isValid())
            list_->setCellString(row_, column_, text);
    }

    QPointer<StandinList> list_;
    int row_, column_;
};

// The list: its children are its cells, row by row.
class ListAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListAccessible(StandinList* list) : QAccessibleWidget(list, QAccessible::Table) {}
    ~ListAccessible() override
    {
        for (const auto& [place, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        if (index < 0 || columns == 0 || index >= childCount())
            return nullptr;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessibleTableCellInterface* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!cell || child->parent() != this)
            return -1;
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex index = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << QString::fromLatin1(kInsertRowAction);
    }
    void doAction(const QString& name) override
    {
        if (name == QLatin1String(kInsertRowAction))
            list()->insertRow(list()->rowCount());
        else
            QAccessibleWidget::doAction(name);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        auto found = cells_.find({row, column});
        if (found == cells_.end()) {
            const QAccessible::Id id = QAccessible::registerAccessibleInterface(new ListCell(list(), row, column));
            found = cells_.emplace(std::pair(row, column), id).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        const QTableWidgetItem* header = list()->horizontalHeaderItem(column);
        return header ? header->text() : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return list()->columnCount(); }
    int rowCount() const override { return list()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    StandinList* list() const { return static_cast<StandinList*>(widget()); }

    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

QAccessibleInterface* listFactory(const QString&, QObject* object)
{
    if (StandinList* list = listOf(object))
        return new ListAccessible(list);
    return nullptr;
}

}  // namespace

StandinList::StandinList(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent)
{
    installStandinListAccessibility();
}

QString StandinList::cellString(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void StandinList::setCellString(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

void installStandinListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(listFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace brenmark::glimbert
