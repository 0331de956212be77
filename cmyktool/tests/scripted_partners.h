#pragma once
// Scripted partners: every call is logged in order, the list is a table of texts, and any
// call can be made to fail as an unreachable program would.
#include "cmyktool/partners.h"
#include "editor/document/user_prompts.h"

#include <map>
#include <string>
#include <vector>

namespace brenmark::glimbert::testing {

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
};

class RecordedMessages final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown.push_back({text, title, icon});
    }
    std::vector<ShownMessage> shown;
};

class ScriptedTable final : public TablePartner {
public:
    ScriptedTable() : handles{1, 2, 3, 4, 5}, texts{"", "DMC 310", "128", "64", "32"} {}

    FieldHandle handle(TableField f) const override { return handles[static_cast<int>(f)]; }
    std::optional<std::string> readField(TableField f, std::size_t maxBytes) override
    {
        log.push_back("read " + std::to_string(static_cast<int>(f)));
        maxRead = maxBytes;
        if (failRead)
            return std::nullopt;
        return texts[static_cast<int>(f)].substr(0, maxBytes);
    }
    std::optional<int> rowCount() override
    {
        log.push_back("count");
        if (failList)
            return std::nullopt;
        return static_cast<int>(rows.size());
    }
    std::optional<std::string> cellText(int row, int column, std::size_t) override
    {
        log.push_back("cell " + std::to_string(row) + "," + std::to_string(column));
        if (failList || row < 0 || row >= static_cast<int>(rows.size()))
            return std::nullopt;
        return rows[row][column];
    }
    bool insertRow(int row, const std::string& text) override
    {
        log.push_back("insert " + std::to_string(row) + " " + text);
        if (failList || row != static_cast<int>(rows.size()))
            return false;
        rows.emplace_back(11);
        rows.back()[0] = text;
        return true;
    }
    bool setCellText(int row, int column, const std::string& text) override
    {
        log.push_back("set " + std::to_string(row) + "," + std::to_string(column) + " " + text);
        if (failList || row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column > 10)
            return false;
        rows[row][column] = text;
        return true;
    }

    FieldHandle handles[kTableFieldCount];
    std::string texts[kTableFieldCount];
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> log;
    std::size_t maxRead = 0;
    bool failRead = false;
    bool failList = false;
};

class ScriptedPicker final : public PickerPartner {
public:
    ScriptedPicker() : handles{11, 12, 13, 14, 15, 16, 17}, texts{"", "", "", "42", "7", "0", "100"} {}

    FieldHandle handle(PickerField f) const override { return handles[static_cast<int>(f)]; }
    bool clearField(PickerField f) override
    {
        log.push_back("clear " + std::to_string(static_cast<int>(f)));
        texts[static_cast<int>(f)].clear();
        return !failTyping;
    }
    bool typeCharacter(PickerField f, char c) override
    {
        log.push_back("type " + std::to_string(static_cast<int>(f)) + " " + std::string(1, c));
        texts[static_cast<int>(f)] += c;
        return !failTyping;
    }
    std::optional<std::string> readField(PickerField f, std::size_t maxBytes) override
    {
        log.push_back("read " + std::to_string(static_cast<int>(f)));
        maxRead = maxBytes;
        return texts[static_cast<int>(f)];
    }

    FieldHandle handles[kPickerFieldCount];
    std::string texts[kPickerFieldCount];
    std::vector<std::string> log;
    std::size_t maxRead = 0;
    bool failTyping = false;
};

}  // namespace brenmark::glimbert::testing
