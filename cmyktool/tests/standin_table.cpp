#include "cmyktool/tests/standin_table.h"

#include "interchange/gbk_qstring.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brenmark::glimbert {

StandinTable::StandinTable(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(fromGbk("CMYK绣线工具"));
    list_ = new StandinList(0, 11, this);
    list_->setAccessibleName(u"1002"_qs);
    list_->setHorizontalHeaderLabels({u"#"_qs, u"C"_qs, u"M"_qs, u"Y"_qs, u"K"_qs, fromGbk("线号"), u"C"_qs,
                                      u"M"_qs, u"Y"_qs, u"K"_qs, fromGbk("线号")});
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setDefaultSectionSize(38);
    auto* form = new QFormLayout;
    const char* labels[4] = {"线号", "红", "绿", "蓝"};
    const char* names[4] = {"1006", "1007", "1008", "1009"};
    for (int i = 0; i < 4; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setAccessibleName(QString::fromLatin1(names[i]));
        form->addRow(fromGbk(labels[i]), fields_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(list_);
    resize(480, 300);
}

void StandinTable::setThread(const QString& number, int red, int green, int blue)
{
    fields_[0]->setText(number);
    fields_[1]->setText(QString::number(red));
    fields_[2]->setText(QString::number(green));
    fields_[3]->setText(QString::number(blue));
}

void StandinTable::focusNumberField()
{
    fields_[0]->setFocus(Qt::OtherFocusReason);
}

FieldHandle StandinTable::handle(TableField field) const
{
    return 1002 + (field == TableField::List ? 0 : 3 + static_cast<FieldHandle>(field));
}

std::optional<std::string> StandinTable::readField(TableField field, std::size_t maxBytes)
{
    if (field == TableField::List)
        return std::string();
    return toGbk(fields_[static_cast<int>(field) - 1]->text()).substr(0, maxBytes);
}

std::optional<int> StandinTable::rowCount()
{
    return list_->rowCount();
}

std::optional<std::string> StandinTable::cellText(int row, int column, std::size_t maxBytes)
{
    const QTableWidgetItem* item = list_->item(row, column);
    return item ? toGbk(item->text()).substr(0, maxBytes) : std::string();
}

bool StandinTable::insertRow(int row, const std::string& text)
{
    list_->insertRow(row);
    list_->setItem(row, 0, new QTableWidgetItem(fromGbk(text)));
    return true;
}

bool StandinTable::setCellText(int row, int column, const std::string& text)
{
    if (row < 0 || row >= list_->rowCount() || column < 0 || column >= list_->columnCount())
        return false;
    list_->setItem(row, column, new QTableWidgetItem(fromGbk(text)));
    return true;
}

}  // namespace brenmark::glimbert
