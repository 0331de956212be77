#pragma once
// Everything that edits the one open pattern, owned in one place: the document, the view,
// the undo history, the layer commands, the document commands, the tools, the selection and
// the outline editing. The members are declared in the order they depend on each other, so
// the compiler builds and destroys them in the right order.
//
// Every change comes in here (document commands, layer commands, tools, undo) and leaves as
// one call of SessionWindows::refresh that names what changed, after the session has
// brought its own derived state (the view's pictures, the current thread) up to date.
#include "editor/app/command_router.h"
#include "editor/app/document_commands.h"
#include "editor/app/edit_history.h"
#include "editor/document/current_thread.h"
#include "editor/document/fabric_colors.h"
#include "editor/document/layer_operations.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_clipboard.h"
#include "editor/document/pattern_document.h"
#include "editor/view/backstitch/backstitch_editor.h"
#include "editor/render/chart_layout.h"
#include "editor/view/overview.h"
#include "editor/view/pattern_view.h"
#include "editor/view/selection/selection_tool.h"
#include "editor/view/tools/tool_controller.h"

#include <optional>
#include <string>

namespace brenmark {

// What an edit changed, for the windows that show it.
enum class Change : unsigned {
    Cells = 1u << 0,    // cell colours or marks
    Threads = 1u << 1,  // the thread table, usage, symbols
    Lines = 1u << 2,    // outline lines
    Layers = 1u << 3,   // the layer list or the floating piece
    Size = 1u << 4,     // the pattern's size
    Fabric = 1u << 5,   // the fabric colour
    // Another pattern took the place of the open one, or undo put back a whole state.
    Pattern = 1u << 6,
};
class Changes {
public:
    constexpr Changes() = default;
    constexpr Changes(Change c) : bits_(static_cast<unsigned>(c)) {}
    static constexpr Changes everything() { return Changes(0x7Fu); }
    constexpr Changes operator|(Changes other) const { return Changes(bits_ | other.bits_); }
    constexpr bool any(Changes of) const { return (bits_ & of.bits_) != 0; }
    constexpr bool operator==(const Changes&) const = default;

private:
    constexpr explicit Changes(unsigned bits) : bits_(bits) {}
    unsigned bits_ = 0;
};
constexpr Changes operator|(Change a, Change b) { return Changes(a) | b; }

// The windows around the session: the main window implements it.
class SessionWindows {
public:
    virtual ~SessionWindows() = default;
    // Called once per change with everything that changed.
    virtual void refresh(Changes what) = 0;
    // Another pattern is about to take the open one's place: option boxes go back to their
    // start.
    virtual void editingReset() {}
    // Another pattern is open (after its refresh).
    virtual void patternOpened() {}
    virtual void loadFailed() {}
    virtual void saved(const std::string& /*path*/) {}
    virtual void saveFailed(const std::string& /*path*/) {}
    // A pattern file was opened or saved under path.
    virtual void fileUsed(const std::string& /*path*/) {}
    // The unsaved changes are gone: saved, or thrown away on purpose.
    virtual void changesSettled() {}
    virtual void note(const std::string& /*text*/) {}
    // A pasted or inserted piece waits to be placed with the select-area tool.
    virtual void placingStarted() {}
};

struct SessionSetup {
    std::string programDir;
    UserDialogs* dialogs = nullptr;                  // required
    TransformDialogs* transformDialogs = nullptr;    // "绣图缩放", "修改绣图尺寸"
    BackstitchDialogs* backstitchDialogs = nullptr;  // tracing picture, outline colour
    ProgressReport* progress = nullptr;
};

class EditorSession final : private CommandEvents, private LayerObserver, private EditingState {
public:
    explicit EditorSession(const SessionSetup& setup);
    ~EditorSession() override;
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // Null: nobody is told (the session still keeps its own state right).
    void setWindows(SessionWindows* windows) { windows_ = windows; }
    // The host of the tools' and the selection's requests (repaints, cursors).
    void setToolHost(ToolHost* host);

    PatternDocument& document() { return doc_; }
    // The thread chosen for drawing, shared by the tools and the colour operations.
    CurrentThreadChoice& currentThread() { return current_; }
    const PaletteStore& palettes() const { return palettes_; }
    PatternView& view() { return view_; }
    EditHistory& history() { return history_; }
    LayerOperations& layers() { return layers_; }
    DocumentCommands& commands() { return commands_; }
    ToolController& tools() { return tools_; }
    Overview& overview() { return overview_; }
    SelectionTool& selection() { return selection_; }
    BackstitchEditor& outlines() { return outlines_; }
    CommandRouter& router() { return router_; }
    // The print details ("打印细节设置"): printing, the preview and every export lay the
    // chart out with them. They last as long as the session and are not saved in the file.
    PrintSettings& printSettings() { return printSettings_; }
    // The fabric colour's name and DMC number for the printed key; nothing when the
    // fabric list has no entry of that colour.
    std::optional<FabricName> fabricName() const;

    // The one way every change is announced: the session's own derived state first, then
    // the windows. Inside a command the changes are gathered and the windows hear of them
    // once, when it ends.
    void changed(Changes what);
    // Counts the changes announced, whatever they were: what a copy of the pattern was taken
    // at tells whether it is still the pattern.
    std::uint64_t revision() const { return revision_; }
    // Whether the pattern holds changes no file has.
    bool modified() const { return commands_.modified(); }

    // The selection and outline commands by their fixed ids, with the modifiers held (Ctrl
    // makes a rotation copy). False for ids nobody handles and for refused commands.
    bool runCommand(int id, Modifiers modifiers = NoModifier) { return router_.run(id, modifiers); }

    // "插入绣图": the inserted pattern floats, waiting to be placed.
    bool insertPattern();
    // "设置绣布颜色".
    bool chooseFabricColour();
    // The colour bar chose a colour (Ctrl: it also becomes the flashing colour).
    void chooseColour(ColorRef colour, bool ctrl);

private:
    void routeCommands();
    // Runs a command with the windows' refresh held until it ends.
    template <class Command>
    bool batched(Command&& command)
    {
        ++batchDepth_;
        const bool done = command();
        if (--batchDepth_ == 0 && pending_) {
            const Changes what = *pending_;
            pending_.reset();
            changed(what);
        }
        return done;
    }
    void startPlacing();
    // The current thread looked up again by colour among the threads there are now.
    void recheckCurrentThread();
    void afterRestore();

    // CommandEvents
    void patternReplaced() override;
    void loadFailed(const std::string& path) override;
    void threadsChanged() override;
    void saved(const std::string& path) override;
    void saveFailed(const std::string& path) override;
    void fileUsed(const std::string& path) override;
    void changesSettled() override;
    void note(const std::string& text) override;
    // LayerObserver
    void layersRecomposed() override;
    void floatingPieceChanged() override;
    void threadsAppended(int first, int count) override;
    // EditingState
    void resetEditingState() override;

    SessionWindows* windows_ = nullptr;
    int batchDepth_ = 0;
    std::uint64_t revision_ = 0;
    std::optional<Changes> pending_;
    ProgressReport* progress_ = nullptr;
    PaletteStore palettes_;
    PatternDocument doc_;
    CurrentThreadChoice current_{doc_};
    // The history takes its snapshots from the view; everything below records there.
    PatternView view_;
    EditHistory history_;
    LayerOperations layers_;
    DocumentCommands commands_;
    ToolController tools_;
    Overview overview_;
    // Copied selections outlive the pattern they came from.
    PatternClipboard clipboard_;
    // Both take their input through the tool controller, so they come after it.
    SelectionTool selection_;
    MembershipOf<SelectionQuery> selectionMembership_;
    BackstitchEditor outlines_;
    CommandRouter router_;
    PrintSettings printSettings_;
};

}  // namespace brenmark
