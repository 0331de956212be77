#pragma once
// The stand-in table program's list as the table convention asks for it on the accessibility
// bus: an accessible table whose cells offer Text and EditableText and which offers the
// action "insertRow". Qt's own item-view accessibility gives read-only cells and no such
// action, so the list brings an accessible interface of its own.
#include <QTableWidget>

namespace brenmark::glimbert {

class StandinList : public QTableWidget {
    Q_OBJECT
public:
    StandinList(int rows, int columns, QWidget* parent = nullptr);

    // The text of a cell ("" where the cell was never written) and its new text.
    QString cellString(int row, int column) const;
    void setCellString(int row, int column, const QString& text);
};

// The accessible-interface factory for StandinList; installed once, harmless to repeat.
void installStandinListAccessibility();

}  // namespace brenmark::glimbert
