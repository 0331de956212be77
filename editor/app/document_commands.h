#pragma once
// The main window's document commands (new, open, save, import, insert, fabric colour,
// thread manager) as a plain object: the window only forwards its actions here, and every
// question goes through UserDialogs.
#include "editor/app/user_dialogs.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/pattern_file.h"
#include "editor/document/undo_recorder.h"
#include "interchange/ui_text.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

class LayerOperations;

inline constexpr const char* kPatternFilter = UI_TEXT_NOOP("绣图文件 (.xiu)|*.xiu|");
inline constexpr const char* kPictureFilter =
    UI_TEXT_NOOP("图片文件 (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|");
inline constexpr const char* kTitleOpenPattern = UI_TEXT_NOOP("打开绣图");
inline constexpr const char* kTitleSavePattern = UI_TEXT_NOOP("存储绣图");
inline constexpr const char* kTitleImportPicture = UI_TEXT_NOOP("导入图片");
inline constexpr const char* kTitleInsertPattern = UI_TEXT_NOOP("插入绣图");
inline constexpr const char* kAskSavePattern = UI_TEXT_NOOP("保存当前绣图吗?");
inline constexpr const char* kAskReplaceFile = UI_TEXT_NOOP("已存在。\n要替换它吗?");  // after the path
inline constexpr const char* kUntitled = UI_TEXT_NOOP("未命名");
inline constexpr const char* kMsgSaveFailed = UI_TEXT_NOOP("绣图未能存储:");  // then the path and the reason
inline constexpr const char* kMsgOpenFailed = UI_TEXT_NOOP("绣图未能打开:");  // then the path
inline constexpr const char* kDefaultNewBrand = kDefaultBrand;
inline constexpr const char* kDefaultNewSize = "100";

// The largest side a new pattern may have. Every layer holds 4 bytes a cell and the view
// keeps images of the same size, so 3000 x 3000 already needs some hundreds of megabytes.
constexpr int kMaxPatternSide = 3000;

// The brands the new-pattern dialog offers, in its order: the program's one brand list.
std::vector<std::string> newPatternBrands(const PaletteStore& palettes);

// The path a save writes: only the file name after the last "/" changes. Without a "."
// it gets ".xiu"; otherwise everything from its first "." on becomes ".xiu".
std::string normalizeSaveName(const std::string& path);

// The pattern path of a command line: surrounding double quotes are removed when both are
// there.
std::string commandLinePath(const std::string& commandLine);

struct NewPatternCheck {
    bool accepted = false;
    int width = 0;
    int height = 0;
    std::string refusal;  // the message shown when not accepted
};
NewPatternCheck checkNewPattern(const NewPatternEntry& entry, const std::vector<std::string>& brands);

// The entry of the fabric list whose colour is the fabric, or -1.
int fabricPreselection(const std::vector<FabricChoice>& choices, ColorRef fabric);

// Whatever else belongs to the editing of one pattern and must be forgotten when another
// pattern takes its place (the floating selection, the undo lists, the tool window's
// option boxes). Each part that holds such state registers one.
class EditingState {
public:
    virtual ~EditingState() = default;
    virtual void resetEditingState() = 0;
};

// Whether the open pattern holds changes no file has. The undo history keeps it, since it
// knows which state every undo and redo goes back to.
class SavePoint {
public:
    virtual ~SavePoint() = default;
    virtual bool modified() const = 0;
    // The pattern as it is now is what its file holds (after a save or an open).
    virtual void markSaved() = 0;
    // The pattern holds what no file holds (a converted picture, a recovered copy).
    virtual void markModified() = 0;
};

// Why a save cannot or did not write path: a text for the user (GBK), empty when nothing
// is known to stand in the way. writeError turns an errno value into such a text.
std::string writeRefusal(const std::string& path);
std::string writeError(int error);

// What the window shows of the commands.
class CommandEvents {
public:
    virtual ~CommandEvents() = default;
    // The pattern was created, opened or closed: rebuild the view's images, the colour bar,
    // the caption.
    virtual void patternReplaced() {}
    // An open or a load failed; the reader has said why. The window redraws.
    virtual void loadFailed(const std::string& /*path*/) {}
    // Threads were removed from the colour bar (stitch tiles, symbols, colour bar).
    virtual void threadsChanged() {}
    virtual void saved(const std::string& /*path*/) {}
    // A failed save shows no message box; the window may still say so quietly.
    virtual void saveFailed(const std::string& /*path*/) {}
    // A pattern file was opened or saved under path (the recent files).
    virtual void fileUsed(const std::string& /*path*/) {}
    // The open pattern's unsaved changes are gone: saved, or thrown away on purpose.
    virtual void changesSettled() {}
    // A short note for the status bar.
    virtual void note(const std::string& /*text*/) {}
};

class DocumentCommands {
public:
    DocumentCommands(PatternDocument& doc, const PaletteStore& palettes, UserDialogs& dialogs, UndoRecorder& undo);

    void setEvents(CommandEvents* events) { events_ = events; }
    void setProgress(ProgressReport* progress) { progress_ = progress; }
    void setLayerOperations(LayerOperations* layers) { layers_ = layers; }
    void setSavePoint(SavePoint* savePoint) { savePoint_ = savePoint; }
    // Whether the open pattern holds unsaved changes.
    bool modified() const { return doc_.isOpen() && savePoint_ && savePoint_->modified(); }
    void addEditingState(EditingState* state);
    void removeEditingState(EditingState* state);

    PatternDocument& document() { return doc_; }
    bool isOpen() const { return doc_.isOpen(); }
    const std::string& currentPath() const { return currentPath_; }

    // "新建": save prompt, then the new-pattern dialog. Cancel in either keeps the open
    // pattern as it is.
    void newPattern();
    // "打开": save prompt, then "打开绣图"; loads in library mode.
    bool openPattern();
    // "打开旧色库绣图校正": the same in plain mode.
    bool openOldLibraryPattern();
    // "存储": nothing without a pattern; otherwise the save dialog (proposing the current
    // name), then the save. When the normalised name is an existing file other than the
    // pattern's own, the user is asked first whether to replace it. A target that may not be
    // written is refused with its reason, and every failure says why; nothing is replaced.
    bool savePattern();
    // "导入": save prompt, then "导入图片". Returns the chosen picture; the current path is
    // emptied once one is chosen.
    std::optional<std::string> importPicture();
    // "插入绣图": a pattern file becomes a floating piece in a new layer.
    bool insertPattern();
    // "设置绣布颜色".
    bool chooseFabricColour();
    // "配置".
    void manageThreads();

    // A file of the recent list: save prompt, then the file in library mode.
    bool openFile(const std::string& path);
    // A recovery copy: read whole (in plain mode, so it comes back exactly as written) and
    // put in the open pattern's place after the save prompt, holding unsaved changes and
    // taking originalPath as its path, so a save goes where the user expects. False when
    // the copy cannot be read (said why) or the prompt was dismissed.
    bool openRecovered(const std::string& copyPath, const std::string& originalPath);
    // The pattern named on the command line (quoted or not), loaded in library mode.
    bool openCommandLine(const std::string& commandLine);
    // Loads path over the open pattern; on failure the open pattern stays as it was.
    bool loadFile(const std::string& path, LoadMode mode);
    // Another complete pattern takes the open one's place, as a load does: the editing
    // state (undo lists among it) is reset, the pattern moved in, the observers and the
    // window told. path becomes the current path; empty for an untitled pattern. A pattern
    // with a path is what that file holds unless unsaved says otherwise; one without a path
    // (a converted picture, an import) always holds unsaved changes.
    enum class Origin { File, Unsaved };
    void replacePattern(PatternDocument&& pattern, const std::string& path);
    void replacePattern(PatternDocument&& pattern, const std::string& path, Origin origin);
    // Where the commands ask the user, for commands built beside these.
    UserDialogs& dialogs() { return dialogs_; }

    // Before another pattern takes the open one's place: "保存当前绣图吗?" when the pattern
    // holds unsaved changes. Yes saves (a cancelled save dialog still goes on, as No does; a
    // failed save stops); dismissing the box stops. True when the command may go on.
    [[nodiscard]] bool offerSave();
    // Before the window closes: the same question, but only a completed save or No lets it
    // close. No throws the changes away on purpose.
    [[nodiscard]] bool confirmClose();
    // The unused threads leave the pattern, as one undo step. Returns how many left.
    int deleteUnusedThreads();
    // Before another pattern takes the place of the open one.
    void resetEditingState();

private:
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome save();
    bool askAboutChanges(bool closing);
    bool open(LoadMode mode);
    // Reads path into loaded; on failure the user has been told why.
    bool read(const std::string& path, LoadMode mode, PatternDocument& loaded);
    void showSaveFailure(const std::string& path, const std::string& reason);
    LoadContext loadContext() const { return {&palettes_, &dialogs_, progress_}; }

    PatternDocument& doc_;
    const PaletteStore& palettes_;
    UserDialogs& dialogs_;
    UndoRecorder& undo_;
    CommandEvents* events_ = nullptr;
    ProgressReport* progress_ = nullptr;
    LayerOperations* layers_ = nullptr;
    SavePoint* savePoint_ = nullptr;
    std::vector<EditingState*> editingStates_;
    std::string currentPath_;
};

}  // namespace brenmark
