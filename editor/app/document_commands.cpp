#include "editor/app/document_commands.h"

#include "editor/document/fabric_colors.h"
#include "editor/document/file_bytes.h"
#include "editor/document/layer_operations.h"
#include "editor/document/thread_manager.h"
#include "editor/document/thread_operations.h"

#include "interchange/code_page.h"

#include <algorithm>
#include <charconv>

namespace brenmark {

namespace {

constexpr const char* kMsgBadSize = "绣图的宽和高必须是1到3000之间的整数";
constexpr const char* kNotePictureChosen = "图片转换尚未提供";

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

}  // namespace

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

void DocumentCommands::offerSave()
{
    if (!doc_.isOpen())
        return;
    if (dialogs_.askYesNo(kAskSavePattern, kTitleInfo))
        savePattern();
}

void DocumentCommands::newPattern()
{
    offerSave();
    NewPatternEntry entry{kDefaultNewBrand, kDefaultNewSize, kDefaultNewSize};
    for (;;) {
        const std::vector<std::string> brands = newPatternBrands(palettes_);
        const auto answer = dialogs_.newPattern(brands, entry);
        if (!answer) {
            // Cancel leaves no pattern at all rather than the old one.
            resetEditingState();
            doc_.close();
            currentPath_.clear();
            if (events_)
                events_->patternReplaced();
            return;
        }
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
        if (events_)
            events_->patternReplaced();
        return;
    }
}

bool DocumentCommands::open(LoadMode mode)
{
    offerSave();
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

bool DocumentCommands::loadFile(const std::string& path, LoadMode mode)
{
    // Read first: a refused file must not cost the open pattern its lines or history.
    PatternDocument loaded;
    const PatternReadOutcome outcome = loadPattern(path, mode, loaded, loadContext());
    if (outcome.result == LoadResult::Failed) {
        if (events_)
            events_->loadFailed(path);
        return false;
    }
    replacePattern(std::move(loaded), path);
    return true;
}

void DocumentCommands::replacePattern(PatternDocument&& pattern, const std::string& path)
{
    resetEditingState();
    doc_ = std::move(pattern);  // the observers stay with doc_
    currentPath_ = path;
    doc_.notifyReplaced();
    if (events_)
        events_->patternReplaced();
}

bool DocumentCommands::openCommandLine(const std::string& commandLine)
{
    const std::string path = commandLinePath(commandLine);
    if (path.empty())
        return false;
    return loadFile(path, LoadMode::Library);
}

int DocumentCommands::deleteUnusedThreads()
{
    doc_.distinct.rebuild(doc_.threads);
    if (!hasRemovableUnusedThread(doc_))
        return 0;
    undo_.recordUndoStep(kUndoDeleteUnusedThreads);
    const int removed = brenmark::deleteUnusedThreads(doc_);
    if (removed > 0 && events_)
        events_->threadsChanged();
    return removed;
}

bool DocumentCommands::savePattern()
{
    if (!doc_.isOpen())
        return false;
    const auto chosen = dialogs_.saveFile(kTitleSavePattern, kPatternFilter, currentPath_);
    if (!chosen)
        return false;
    const std::string path = normalizeSaveName(*chosen);
    // The dialog asks nothing about replacing a file, since the name it hands back is not
    // always the one written: the question is about the file that will be replaced.
    if (fileExists(path) && !dialogs_.askYesNo(utf8ToGbk(path) + kAskReplaceFile, kTitleSavePattern))
        return false;
    deleteUnusedThreads();
    // The file is written in one piece and renamed over the old one, so there is nothing
    // to wait for before writing.
    if (!brenmark::savePattern(path, doc_)) {
        if (events_)
            events_->saveFailed(path);
        return false;
    }
    currentPath_ = path;
    if (events_)
        events_->saved(path);
    return true;
}

std::optional<std::string> DocumentCommands::importPicture()
{
    offerSave();
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
