#include "editor/app/editor_session.h"

#include "editor/app/chart_import_commands.h"
#include "editor/app/oxs_commands.h"

namespace brenmark {

EditorSession::EditorSession(const SessionSetup& setup)
    : progress_(setup.progress),
      palettes_(PaletteStore::forProgram(setup.programDir)),
      view_(doc_, current_),
      history_(view_, current_, setup.dialogs),
      layers_(doc_, history_),
      commands_(doc_, palettes_, *setup.dialogs, history_),
      tools_(view_, current_, history_, setup.dialogs),
      overview_(view_),
      selection_(view_, tools_, history_, layers_, setup.dialogs, setup.transformDialogs, nullptr),
      selectionMembership_(selection_.query()),
      outlines_(view_, current_, history_, setup.dialogs, nullptr, setup.backstitchDialogs)
{
    palettes_.ensurePaletteFolder();
    tools_.setLayerOperations(&layers_);
    selection_.setClipboard(&clipboard_);
    outlines_.setSelection(&selectionMembership_);
    // The outline editing takes tools 1 and 2 and gets the view's messages first (the line
    // recolouring).
    outlines_.attach(tools_);
    outlines_.routeMessages(tools_);

    commands_.setEvents(this);
    commands_.setProgress(progress_);
    commands_.setLayerOperations(&layers_);
    commands_.setSavePoint(&history_);
    commands_.addEditingState(&history_);
    commands_.addEditingState(this);
    layers_.addObserver(this);
    history_.setAfterRestore([this](const UndoSnapshot&) { afterRestore(); });
    routeCommands();
}

EditorSession::~EditorSession()
{
    history_.setAfterRestore({});
    history_.setChanged({});
    layers_.removeObserver(this);
    commands_.removeEditingState(this);
    commands_.setEvents(nullptr);
}

void EditorSession::setToolHost(ToolHost* host)
{
    tools_.setHost(host);
    selection_.setHost(host);
}

void EditorSession::routeCommands()
{
    const auto selectionCommand = [this](Changes what) {
        return [this, what](int id, Modifiers m) {
            return batched([&] {
                if (!selection_.command(id, m))
                    return false;
                if (id == CmdPasteSelection)
                    startPlacing();
                changed(what);
                return true;
            });
        };
    };
    router_.addAll(kSelectionMenu, selectionCommand(Change::Cells | Change::Layers));
    router_.addAll(kRotationMenu, selectionCommand(Change::Cells | Change::Layers));
    router_.addAll(kPatternTransformMenu, selectionCommand(Change::Size | Change::Cells));
    routeOxsCommands(*this, router_);
    routeChartImportCommands(*this, router_);
    router_.addAll(kBackstitchCommands, [this](int id, Modifiers) {
        return batched([&] {
            const bool done = outlines_.command(id);
            changed(Change::Lines);
            return done;
        });
    });
}

void EditorSession::changed(Changes what)
{
    ++revision_;
    if (batchDepth_ > 0) {
        pending_ = pending_ ? *pending_ | what : what;
        return;
    }
    if (windows_)
        windows_->refresh(what);
}

bool EditorSession::insertPattern()
{
    return batched([this] {
        if (!commands_.insertPattern())
            return false;
        startPlacing();
        return true;
    });
}

bool EditorSession::chooseFabricColour()
{
    return batched([this] {
        if (!commands_.chooseFabricColour())
            return false;
        history_.recordEditWithoutStep();
        changed(Change::Fabric);
        return true;
    });
}

void EditorSession::chooseColour(ColorRef colour, bool ctrl)
{
    view_.dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(colour), ctrl ? 1 : 0);
    changed(Changes());
}

void EditorSession::startPlacing()
{
    if (!layers_.floatingPiece())
        return;
    if (tools_.currentTool() != Tool::SelectArea)
        view_.dispatch(MsgSelectTool, static_cast<int>(Tool::SelectArea), 0);
    if (windows_)
        windows_->placingStarted();
}

void EditorSession::recheckCurrentThread()
{
    if (current_.chosen())
        current_.chooseColour(current_.colour());
}

void EditorSession::afterRestore()
{
    tools_.forgetTransientState();
    // The selection, a polyline in progress and the picked line belong to the state undo
    // replaced.
    selection_.dropSelection();
    outlines_.endPolyline();
    outlines_.clearPick();
    // The layer list was put back whole: the panel lays out its rows again.
    layers_.relayout();
    changed(Changes::everything());
}

void EditorSession::patternReplaced()
{
    view_.patternReplaced(progress_);
    recheckCurrentThread();
    changed(Changes::everything());
    if (windows_)
        windows_->patternOpened();
}

void EditorSession::loadFailed(const std::string&)
{
    if (windows_)
        windows_->loadFailed();
}

void EditorSession::threadsChanged()
{
    view_.rebuildStitchTiles();
    view_.rebuildCellImage();
    recheckCurrentThread();
    changed(Change::Threads | Change::Cells);
}

void EditorSession::saved(const std::string& path)
{
    if (windows_)
        windows_->saved(path);
}

void EditorSession::saveFailed(const std::string& path)
{
    if (windows_)
        windows_->saveFailed(path);
}

void EditorSession::fileUsed(const std::string& path)
{
    if (windows_)
        windows_->fileUsed(path);
}

void EditorSession::changesSettled()
{
    if (windows_)
        windows_->changesSettled();
}

void EditorSession::note(const std::string& text)
{
    if (windows_)
        windows_->note(text);
}

void EditorSession::layersRecomposed()
{
    view_.rebuildCellImage();
    changed(Change::Layers | Change::Cells);
}

void EditorSession::floatingPieceChanged()
{
    changed(Change::Layers);
}

void EditorSession::threadsAppended(int, int)
{
    doc_.distinct.rebuild(doc_.threads);
    view_.rebuildStitchTiles();
    changed(Change::Threads);
}

void EditorSession::resetEditingState()
{
    // Grid shown, no tracing picture (it was sized for the old pattern).
    view_.setShowGrid(true);
    view_.setShowBaseImage(false);
    view_.setBaseImage(QImage());
    selection_.dropSelection();
    outlines_.endPolyline();
    outlines_.clearPick();
    if (windows_)
        windows_->editingReset();
}

std::optional<FabricName> EditorSession::fabricName() const
{
    Palette dmc;
    if (!palettes_.load("DMC", dmc))
        return std::nullopt;
    return nameFabricColor(doc_.fabric, dmc);
}

}  // namespace brenmark
