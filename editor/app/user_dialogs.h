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

class UserDialogs : public MessageBoxes {
public:
    // show(text, title, icon) comes from MessageBoxes, so the pattern reader's messages
    // arrive here too.

    // Yes and No buttons with the question icon; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
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
