#pragma once
// Scripted stand-ins for the user and the window, and a scratch program directory.
#include "editor/app/document_commands.h"
#include "editor/app/user_dialogs.h"
#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/thread_manager.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brenmark::test {

// A fresh folder, removed with its contents at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }  // ends in "/"
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

bool fileExists(const std::string& path);
void makeFolder(const std::string& path);

// A working palette "PAL/<brand>.pal" under dir.
void writePalette(const std::string& dir, const std::string& brand, const std::vector<std::pair<std::string, ColorRef>>& entries);

// Each question takes the next scripted answer; with none left it answers as a user who
// cancels (No, no file, Cancel). Every call is logged as "kind:title" in order.
class ScriptedDialogs final : public UserDialogs {
public:
    std::deque<bool> yesNo;
    // Yes/No/Cancel questions; with none left, the yesNo answers stand in (Yes or No),
    // then Cancel.
    std::deque<Answer> answers;
    std::deque<RecoveryAnswer> recoveries;
    std::vector<RecoveryOffer> recoveryOffers;
    std::function<bool(Preferences&)> preferences;
    std::deque<std::optional<std::string>> files;  // open and save dialogs alike
    std::deque<std::optional<NewPatternEntry>> newPatterns;
    std::deque<std::optional<int>> fabrics;
    std::deque<std::optional<std::string>> layerNames;
    std::function<void(ThreadManager&)> threadManager;

    struct Message {
        std::string text, title;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::vector<std::string> log;
    std::vector<std::string> filters;  // of each file dialog
    std::vector<NewPatternEntry> newPatternShown;
    std::vector<std::vector<std::string>> newPatternBrands;
    std::vector<int> fabricPreselected;
    std::vector<std::vector<FabricChoice>> fabricLists;

    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        messages.push_back({text, title, icon});
        log.push_back("message:" + text);
    }
    bool askYesNo(const std::string& text, const std::string& title) override
    {
        log.push_back("ask:" + text + "|" + title);
        return take(yesNo, false);
    }
    Answer askYesNoCancel(const std::string& text, const std::string& title) override
    {
        log.push_back("ask:" + text + "|" + title);
        if (!answers.empty())
            return take(answers, Answer::Cancel);
        if (!yesNo.empty())
            return take(yesNo, false) ? Answer::Yes : Answer::No;
        return Answer::Cancel;
    }
    RecoveryAnswer offerRecovery(const RecoveryOffer& offer) override
    {
        log.push_back("recovery:" + offer.fileName);
        recoveryOffers.push_back(offer);
        return take(recoveries, RecoveryAnswer::Later);
    }
    bool editPreferences(Preferences& prefs) override
    {
        log.push_back("preferences");
        return preferences ? preferences(prefs) : false;
    }
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override
    {
        log.push_back("open:" + title);
        filters.push_back(filter);
        return take(files, std::optional<std::string>{});
    }
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter, const std::string&) override
    {
        log.push_back("save:" + title);
        filters.push_back(filter);
        return take(files, std::optional<std::string>{});
    }
    std::optional<NewPatternEntry> newPattern(const std::vector<std::string>& brands, const NewPatternEntry& entry) override
    {
        log.push_back("new");
        newPatternBrands.push_back(brands);
        newPatternShown.push_back(entry);
        return take(newPatterns, std::optional<NewPatternEntry>{});
    }
    std::optional<int> chooseFabric(const std::vector<FabricChoice>& choices, int preselected) override
    {
        log.push_back("fabric");
        fabricLists.push_back(choices);
        fabricPreselected.push_back(preselected);
        return take(fabrics, std::optional<int>{});
    }
    void manageThreads(ThreadManager& manager) override
    {
        log.push_back("threads");
        if (threadManager)
            threadManager(manager);
    }
    std::optional<std::string> askLayerName() override
    {
        log.push_back("layerName");
        return take(layerNames, std::optional<std::string>{});
    }

private:
    template <class T>
    static T take(std::deque<T>& queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T v = queue.front();
        queue.pop_front();
        return v;
    }
};

class RecordingUndo final : public UndoRecorder {
public:
    std::vector<std::string> labels;
    void recordUndoStep(const UndoStep& step) override { labels.push_back(step.label); }
};

// Modified exactly when a test says so, or after markModified.
class FlagSavePoint final : public SavePoint {
public:
    bool dirty = false;
    int saves = 0;
    bool modified() const override { return dirty; }
    void markSaved() override
    {
        dirty = false;
        ++saves;
    }
    void markModified() override { dirty = true; }
};

class RecordingEvents final : public CommandEvents {
public:
    std::vector<std::string> log;
    void patternReplaced() override { log.push_back("replaced"); }
    void loadFailed(const std::string& path) override { log.push_back("loadFailed:" + path); }
    void threadsChanged() override { log.push_back("threads"); }
    void saved(const std::string& path) override { log.push_back("saved:" + path); }
    void saveFailed(const std::string& path) override { log.push_back("saveFailed:" + path); }
    void note(const std::string& text) override { log.push_back("note:" + text); }
};

class CountingEditingState final : public EditingState {
public:
    int resets = 0;
    void resetEditingState() override { ++resets; }
};

}  // namespace brenmark::test
