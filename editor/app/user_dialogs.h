#pragma once
// Everything the editor asks of the user: messages, yes/no questions, file dialogs and the
// small dialogs of the document commands. The window implements it with real dialogs, the
// tests with scripts, so the commands behind it run without a display.
#include "editor/document/user_prompts.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

class ThreadManager;
struct FabricChoice;

// What the new-pattern dialog hands back: the brand and the two sizes as typed.
struct NewPatternEntry {
    std::string brand;
    std::string width;
    std::string height;
    bool operator==(const NewPatternEntry&) const = default;
};

// The answer to a question with Yes, No and Cancel. Dismissing the box (Esc, its close
// button) is Cancel.
enum class Answer { Yes, No, Cancel };

// A recovery copy left by an editor that did not end normally, as the user is asked about it.
struct RecoveryOffer {
    std::string fileName;  // the pattern's file name (GBK), or "未命名"
    std::string time;      // when the copy was written, "2026-12-10 14:03"
};
enum class RecoveryAnswer { Open, Discard, Later };

// The editor's own settings ("设置").
struct Preferences {
    bool autosave = true;
    int autosaveSeconds = 60;  // 10 .. 3600
    int undoSteps = 5;         // 1 .. 200
    int undoMegabytes = 512;   // the cap on what the undo steps hold together, 16 .. 65536
    bool clearSymbols = true;  // "清晰符号": new patterns and converted pictures take the chart symbol font
    // "语言 / Language": the interface's language from the next start on ("zh", "en"), or
    // empty to follow the system's locale.
    std::string language;
    bool operator==(const Preferences&) const = default;
};

class UserDialogs : public MessageBoxes {
public:
    // show(text, title, icon) comes from MessageBoxes, so the pattern reader's messages
    // arrive here too.

    // Yes and No buttons with the question icon; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // Yes, No and Cancel with the question icon, Yes the default.
    virtual Answer askYesNoCancel(const std::string& text, const std::string& title) = 0;
    // "恢复未保存的绣图": Open, Discard, or neither for now (the box dismissed).
    virtual RecoveryAnswer offerRecovery(const RecoveryOffer& offer) = 0;
    // "设置": edits prefs in place; false on Cancel (prefs unchanged).
    virtual bool editPreferences(Preferences& prefs) = 0;
    // Filters are written "description|patterns|description|patterns|", patterns separated
    // by ";". Nothing when the dialog is cancelled.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
    // Does not ask about replacing an existing file: the caller asks about the name it
    // will really write.
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggested) = 0;
    // "新建绣图", showing entry; nothing on Cancel.
    virtual std::optional<NewPatternEntry> newPattern(const std::vector<std::string>& brands,
                                                      const NewPatternEntry& entry) = 0;
    // The fabric colour list with preselected (or -1); the chosen entry, nothing on Cancel.
    virtual std::optional<int> chooseFabric(const std::vector<FabricChoice>& choices, int preselected) = 0;
    // The thread manager window over an opened manager; it returns once the window closed
    // (OK and Cancel both save through the manager).
    virtual void manageThreads(ThreadManager& manager) = 0;
    // "输入层的名字"; nothing on Cancel.
    virtual std::optional<std::string> askLayerName() = 0;
};

}  // namespace brenmark
