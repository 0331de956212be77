#include "editor/app/document_commands.h"

#include "editor/document/fabric_colors.h"
#include "editor/document/layer_operations.h"
#include "editor/document/thread_manager.h"
#include "editor/document/thread_operations.h"
#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include "interchange/code_page.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <new>

#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

constexpr const char* kMsgBadSize = UI_TEXT_NOOP("绣图的宽和高必须是1到3000之间的整数");
constexpr const char* kNotePictureChosen = UI_TEXT_NOOP("图片转换尚未提供");

std::optional<int> parseSide(const std::string& text)
{
    // Blanks around the number are what a user leaves, not a different number.
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    long value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc{} || ptr != end)
        return std::nullopt;
    if (value < 1 || value > kMaxPatternSide)
        return std::nullopt;
    return static_cast<int>(value);
}

// Passes the reader's messages on and remembers whether there was one, so a refusal the
// reader did not explain still gets a message.
class WatchedMessages final : public MessageBoxes {
public:
    explicit WatchedMessages(MessageBoxes& to) : to_(to) {}
    void show(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        shown_ = true;
        to_.show(text, title, icon);
    }
    bool shown() const { return shown_; }

private:
    MessageBoxes& to_;
    bool shown_ = false;
};

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool samePath(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

std::string writeError(int error)
{
    switch (error) {
    case 0: return {};
    case ENOSPC:
    case EDQUOT: return uiText("磁盘空间不足");
    case EROFS: return uiText("磁盘是只读的");
    case EACCES:
    case EPERM: return uiText("没有写入的权限");
    case ENOENT:
    case ENOTDIR: return uiText("文件夹不存在");
    case ENAMETOOLONG: return uiText("文件名太长");
    case EIO: return uiText("磁盘读写错误");
    default: return utf8ToGbk(std::strerror(error));
    }
}

std::string writeRefusal(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return uiText("这不是一个普通文件");
        // A file marked read-only stays as it is, even for a user who could replace it (the
        // save renames a new file over it, which only needs the folder).
        if (::access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
            return uiText("文件是只读的,没有写入它的权限");
    }
    const std::string folder = folderOf(path);
    if (!directoryExists(folder))
        return uiText("文件夹不存在");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return writeError(errno == EROFS ? EROFS : EACCES);
    return {};
}

std::vector<std::string> newPatternBrands(const PaletteStore& palettes)
{
    return palettes.threadKindList();
}

std::string normalizeSaveName(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find('.', nameStart);
    if (dot == std::string::npos)
        return path + ".xiu";
    return path.substr(0, dot) + ".xiu";
}

std::string commandLinePath(const std::string& commandLine)
{
    if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"')
        return commandLine.substr(1, commandLine.size() - 2);
    return commandLine;
}

NewPatternCheck checkNewPattern(const NewPatternEntry& entry, const std::vector<std::string>& brands)
{
    NewPatternCheck check;
    const auto width = parseSide(entry.width);
    const auto height = parseSide(entry.height);
    if (!width || !height || std::find(brands.begin(), brands.end(), entry.brand) == brands.end()) {
        check.refusal = kMsgBadSize;
        return check;
    }
    check.accepted = true;
    check.width = *width;
    check.height = *height;
    return check;
}

int fabricPreselection(const std::vector<FabricChoice>& choices, ColorRef fabric)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].color == fabric)
            return static_cast<int>(i);
    return -1;
}

DocumentCommands::DocumentCommands(PatternDocument& doc, const PaletteStore& palettes, UserDialogs& dialogs,
                                   UndoRecorder& undo)
    : doc_(doc), palettes_(palettes), dialogs_(dialogs), undo_(undo)
{
}

void DocumentCommands::addEditingState(EditingState* state)
{
    if (std::find(editingStates_.begin(), editingStates_.end(), state) == editingStates_.end())
        editingStates_.push_back(state);
}

void DocumentCommands::removeEditingState(EditingState* state)
{
    std::erase(editingStates_, state);
}

void DocumentCommands::resetEditingState()
{
    for (EditingState* state : editingStates_)
        state->resetEditingState();
    doc_.lines.clear();
    doc_.setFabricColor(kWhite);
}

bool DocumentCommands::offerSave()
{
    return askAboutChanges(false);
}

bool DocumentCommands::confirmClose()
{
    return askAboutChanges(true);
}

bool DocumentCommands::askAboutChanges(bool closing)
{
    if (!modified())
        return true;
    switch (dialogs_.askYesNoCancel(kAskSavePattern, kTitleInfo)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        // Closing throws the changes away now; a command does once it replaces the pattern.
        if (closing && events_)
            events_->changesSettled();
        return true;
    case Answer::Yes: {
        // A command goes on when the user cancels the save, as after No; only a completed
        // save lets the window close. A failed save keeps the pattern either way.
        const SaveOutcome outcome = save();
        return closing ? outcome == SaveOutcome::Saved : outcome != SaveOutcome::Failed;
    }
    }
    return false;
}

void DocumentCommands::newPattern()
{
    if (!offerSave())
        return;
    NewPatternEntry entry{kDefaultNewBrand, kDefaultNewSize, kDefaultNewSize};
    for (;;) {
        const std::vector<std::string> brands = newPatternBrands(palettes_);
        const auto answer = dialogs_.newPattern(brands, entry);
        if (!answer)
            return;  // the open pattern stays: nobody chose to throw it away
        const NewPatternCheck check = checkNewPattern(*answer, brands);
        if (!check.accepted) {
            dialogs_.show(check.refusal, kTitleWarning, MessageIcon::Warning);
            entry = *answer;
            continue;
        }
        resetEditingState();
        doc_.create(check.width, check.height, answer->brand);
        // A new pattern has no file yet; the next save must not suggest the old one.
        currentPath_.clear();
        if (savePoint_)
            savePoint_->markSaved();  // nothing in it to lose yet
        if (events_) {
            events_->changesSettled();
            events_->patternReplaced();
        }
        return;
    }
}

bool DocumentCommands::open(LoadMode mode)
{
    if (!offerSave())
        return false;
    const auto path = dialogs_.openFile(kTitleOpenPattern, kPatternFilter);
    if (!path)
        return false;
    return loadFile(*path, mode);
}

bool DocumentCommands::openPattern()
{
    return open(LoadMode::Library);
}

bool DocumentCommands::openOldLibraryPattern()
{
    return open(LoadMode::Plain);
}

bool DocumentCommands::read(const std::string& path, LoadMode mode, PatternDocument& loaded)
{
    WatchedMessages messages(dialogs_);
    PatternReadOutcome outcome;
    try {
        outcome = loadPattern(path, mode, loaded, {&palettes_, &messages, progress_});
    } catch (const std::bad_alloc&) {
        outcome.result = LoadResult::Failed;
    }
    if (outcome.result != LoadResult::Failed)
        return true;
    // Whatever the reader refused without a word (not a pattern at all, unreadable) still
    // says so: the user must not wonder whether anything happened.
    if (!messages.shown())
        dialogs_.show(uiText(kMsgOpenFailed) + utf8ToGbk(path) + "\n" + uiText(kMsgDamaged), kTitleInfo,
                      MessageIcon::Warning);
    return false;
}

bool DocumentCommands::loadFile(const std::string& path, LoadMode mode)
{
    // Read first: a refused file must not cost the open pattern its lines or history.
    PatternDocument loaded;
    if (!read(path, mode, loaded)) {
        if (events_)
            events_->loadFailed(path);
        return false;
    }
    replacePattern(std::move(loaded), path);
    return true;
}

bool DocumentCommands::openFile(const std::string& path)
{
    return offerSave() && loadFile(path, LoadMode::Library);
}

bool DocumentCommands::openRecovered(const std::string& copyPath, const std::string& originalPath)
{
    if (!offerSave())
        return false;
    PatternDocument loaded;
    if (!read(copyPath, LoadMode::Plain, loaded))
        return false;
    replacePattern(std::move(loaded), originalPath, Origin::Unsaved);
    return true;
}

void DocumentCommands::replacePattern(PatternDocument&& pattern, const std::string& path)
{
    replacePattern(std::move(pattern), path, path.empty() ? Origin::Unsaved : Origin::File);
}

void DocumentCommands::replacePattern(PatternDocument&& pattern, const std::string& path, Origin origin)
{
    resetEditingState();
    doc_ = std::move(pattern);  // the observers stay with doc_
    currentPath_ = path;
    if (savePoint_)
        origin == Origin::File ? savePoint_->markSaved() : savePoint_->markModified();
    doc_.notifyReplaced();
    if (events_) {
        // The pattern that held the changes is gone by the user's choice.
        events_->changesSettled();
        if (origin == Origin::File)
            events_->fileUsed(path);
        events_->patternReplaced();
    }
}

bool DocumentCommands::openCommandLine(const std::string& commandLine)
{
    const std::string path = commandLinePath(commandLine);
    if (path.empty() || !offerSave())
        return false;
    return loadFile(path, LoadMode::Library);
}

int DocumentCommands::deleteUnusedThreads()
{
    doc_.distinct.rebuild(doc_.threads);
    if (!hasRemovableUnusedThread(doc_))
        return 0;
    undo_.recordUndoStep({kUndoDeleteUnusedThreads, UndoKind::ThreadTable});
    const int removed = brenmark::deleteUnusedThreads(doc_);
    if (removed > 0 && events_)
        events_->threadsChanged();
    return removed;
}

bool DocumentCommands::savePattern()
{
    return save() == SaveOutcome::Saved;
}

DocumentCommands::SaveOutcome DocumentCommands::save()
{
    if (!doc_.isOpen())
        return SaveOutcome::Cancelled;
    const auto chosen = dialogs_.saveFile(kTitleSavePattern, kPatternFilter, currentPath_);
    if (!chosen)
        return SaveOutcome::Cancelled;
    const std::string path = normalizeSaveName(*chosen);
    const bool ownFile = !currentPath_.empty() && samePath(path, currentPath_);
    if (const std::string refusal = writeRefusal(path); !refusal.empty()) {
        showSaveFailure(path, refusal);
        return SaveOutcome::Failed;
    }
    // The dialog asks nothing about replacing a file, since the name it hands back is not
    // always the one written: the question is about the file that will be replaced, and not
    // asked about the pattern's own file.
    if (!ownFile && fileExists(path) && !dialogs_.askYesNo(utf8ToGbk(path) + uiText(kAskReplaceFile), kTitleSavePattern))
        return SaveOutcome::Cancelled;
    deleteUnusedThreads();
    // The file is written in one piece and renamed over the old one, so there is nothing
    // to wait for before writing.
    errno = 0;
    bool written = false;
    try {
        written = brenmark::savePattern(path, doc_);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    }
    if (!written) {
        const int error = errno;
        showSaveFailure(path, error == ENOMEM ? uiText("内存不足") : writeError(error));
        return SaveOutcome::Failed;
    }
    currentPath_ = path;
    if (savePoint_)
        savePoint_->markSaved();
    if (events_) {
        events_->changesSettled();
        events_->fileUsed(path);
        events_->saved(path);
    }
    return SaveOutcome::Saved;
}

void DocumentCommands::showSaveFailure(const std::string& path, const std::string& reason)
{
    std::string text = uiText(kMsgSaveFailed) + utf8ToGbk(path);
    if (!reason.empty())
        text += "\n" + reason;
    dialogs_.show(text, kTitleWarning, MessageIcon::Warning);
    if (events_)
        events_->saveFailed(path);
}

std::optional<std::string> DocumentCommands::importPicture()
{
    if (!offerSave())
        return std::nullopt;
    auto path = dialogs_.openFile(kTitleImportPicture, kPictureFilter);
    if (!path)
        return std::nullopt;
    currentPath_.clear();
    if (events_)
        events_->note(kNotePictureChosen);
    return path;
}

bool DocumentCommands::insertPattern()
{
    if (!layers_ || !doc_.isOpen())
        return false;
    const auto path = dialogs_.openFile(kTitleInsertPattern, kPatternFilter);
    if (!path)
        return false;
    return layers_->insertPattern(*path, loadContext()) == InsertOutcome::Inserted;
}

bool DocumentCommands::chooseFabricColour()
{
    if (!doc_.isOpen())
        return false;
    Palette dmc;
    palettes_.load("DMC", dmc);
    const std::vector<FabricChoice> choices = fabricChoices(dmc);
    const auto picked = dialogs_.chooseFabric(choices, fabricPreselection(choices, doc_.fabric));
    if (!picked || *picked < 0 || *picked >= static_cast<int>(choices.size()))
        return false;
    doc_.setFabricColor(choices[static_cast<std::size_t>(*picked)].color);
    return true;
}

void DocumentCommands::manageThreads()
{
    ThreadManager manager(palettes_);
    manager.open();
    dialogs_.manageThreads(manager);
}

}  // namespace brenmark
