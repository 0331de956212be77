#pragma once
// A stand-in for the table program: a window titled "CMYK绣线工具" with the list and the
// four fields, named by their control ids as the convention asks, and reachable in-process
// as a TablePartner.
#include "cmyktool/partners.h"
#include "cmyktool/tests/standin_list.h"

#include <QWidget>

class QLineEdit;

namespace brenmark::glimbert {

class StandinTable : public QWidget, public TablePartner {
    Q_OBJECT
public:
    explicit StandinTable(QWidget* parent = nullptr);

    // The current thread, as the user would type it into the table program.
    void setThread(const QString& number, int red, int green, int blue);
    StandinList* list() const { return list_; }
    void focusNumberField();

    FieldHandle handle(TableField field) const override;
    std::optional<std::string> readField(TableField field, std::size_t maxBytes) override;
    std::optional<int> rowCount() override;
    std::optional<std::string> cellText(int row, int column, std::size_t maxBytes) override;
    bool insertRow(int row, const std::string& text) override;
    bool setCellText(int row, int column, const std::string& text) override;

private:
    StandinList* list_;
    QLineEdit* fields_[4];  // number, red, green, blue
};

}  // namespace brenmark::glimbert
