#pragma once
// The plug-in's dialog "绣线综合管理工具": one tab "生成绣线库" with the mapping grid, its
// file buttons, and "生成库". The file dialogs and messages go through MappingDialogs, so
// tests script them.
#include "editor/document/palette_file.h"
#include "editor/document/user_prompts.h"
#include "plugins/host/color_tool_window.h"
#include "plugins/threadmap/thread_mapping_file.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace brenmark {

class MappingDialogs : public MessageBoxes {
public:
    // Nothing when cancelled. The save dialog asks before replacing a file.
    virtual std::optional<std::string> openMappingFile() = 0;
    virtual std::optional<std::string> saveMappingFile() = 0;
};

// The real file dialogs and message boxes over a parent window.
class QtMappingDialogs final : public MappingDialogs {
public:
    explicit QtMappingDialogs(QWidget* parent) : parent_(parent) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> openMappingFile() override;
    std::optional<std::string> saveMappingFile() override;

private:
    QWidget* parent_;
};

class MarrowinDialog final : public QDialog {
public:
    // dialogs null: the real ones.
    MarrowinDialog(std::string programDir, MappingDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MarrowinDialog() override;

    const MappingGrid& grid() const { return grid_; }
    // As the buttons do.
    void addRows();   // "加入行" with the count in "输入行数"
    void loadInput(); // "读入输入"
    void saveInput(); // "保存输入"
    BuildOutcome buildLibrary();  // "生成库"
    // The grid's context entry "增加行": one row.
    void addOneRow();
    // The edit box moves with an arrow key from (row, column); column 0 is skipped.
    void editNeighbour(int row, int column, int key);
    // Writes a cell as leaving its edit box does.
    void setCell(int row, int column, const std::string& text);

    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* table() const { return table_; }
    QLineEdit* rowCountEdit() const { return rowCount_; }
    QLineEdit* nameEdit() const { return name_; }

private:
    void showGrid();

    std::string programDir_;
    std::unique_ptr<MappingDialogs> ownDialogs_;
    MappingDialogs* dialogs_;
    MappingGrid grid_;
    ColorToolWindow colourTool_;  // offered by the host; the page does not show it
    QTabWidget* tabs_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLineEdit* rowCount_ = nullptr;
    QLineEdit* name_ = nullptr;
    bool filling_ = false;
};

}  // namespace brenmark
