#include "editor/app/picture_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"
#include "editor/app/editor_session.h"
#include "editor/app/photo_dialogs.h"
#include "editor/output/picture_decode.h"
#include "editor/view/backstitch/backstitch_editor.h"

#include <QFile>

#include <algorithm>

namespace brenmark {

namespace {

// The tracing picture of a cartoon import: the same file at eight pixels a cell, each side
// at most what the view keeps of a tracing picture.
QImage tracingPicture(const std::string& path, int width, int height)
{
    const auto side = [](int cells) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{cells} * kTracingPixelsPerCell, kTracingLongestSide));
    };
    return decodePicture(QFile::decodeName(QByteArray::fromStdString(path)), QSize(side(width), side(height)));
}

}  // namespace

PictureCommands::PictureCommands(EditorSession& session, PictureDialogs& dialogs, std::function<void()> tracingShown)
    : session_(session), dialogs_(dialogs), tracingShown_(std::move(tracingShown))
{
}

void PictureCommands::route(CommandRouter& router)
{
    router.add(CmdImportPicture, [this](int, Modifiers) { return importPicture(ImportKind::Picture); });
    router.add(CmdImportCartoon, [this](int, Modifiers) { return importPicture(ImportKind::Cartoon); });
    router.add(CmdImportPhoto, [this](int, Modifiers) {
        if (auto* scripted = dynamic_cast<PhotoDialogs*>(&dialogs_))
            return importPhoto(session_, *scripted);
        LibraryPhotoDialogs library;
        return importPhoto(session_, library);
    });
    router.add(CmdThreadStatistics, [this](int, Modifiers) { return showStatistics(); });
    router.add(CmdThreadFinder, [this](int, Modifiers) {
        dialogs_.threadFinder(session_.palettes());
        return true;
    });
    router.add(CmdFabricCalculator, [this](int, Modifiers) {
        dialogs_.fabricCalculator(session_.commands().dialogs());
        return true;
    });
    router.add(CmdThreadCalculator, [this](int, Modifiers) {
        dialogs_.threadCalculator();
        return true;
    });
}

void PictureCommands::setAmountSettings(std::string fabric, int strands)
{
    fabric_ = std::move(fabric);
    strands_ = strands;
}

bool PictureCommands::importPicture(ImportKind kind)
{
    DocumentCommands& commands = session_.commands();
    if (!commands.offerSave())
        return false;
    PictureImportPanel panel(session_.palettes());
    panel.options() = lastOptions_;
    const auto& kinds = panel.threadKinds();
    if (const auto at = std::find(kinds.begin(), kinds.end(), lastBrand_); at != kinds.end())
        panel.selectKind(static_cast<int>(at - kinds.begin()));
    struct Remember {
        PictureImportPanel& panel;
        PictureCommands& commands;
        ~Remember()
        {
            commands.lastOptions_ = panel.options();
            commands.lastOptions_.crop.reset();
            commands.lastBrand_ = panel.selectedBrand();
        }
    } remember{panel, *this};
    const std::string title = kind == ImportKind::Cartoon ? kTitleImportCartoon : kTitleImportPicture;
    if (!dialogs_.importPicture(title, pictureImportFilter(), panel, commands.dialogs()) || !panel.converted())
        return false;
    // Everything is made before the open pattern is touched, so a refusal leaves it whole.
    const ConversionResult& result = panel.result();
    auto pattern = buildImportedPattern(result, panel.convertedBrand(), session_.palettes(), kind,
                                        session_.document().fabric, &commands.dialogs());
    if (!pattern)
        return false;
    const QImage tracing = kind == ImportKind::Cartoon ? tracingPicture(panel.picturePath(), result.width, result.height)
                                                       : QImage();
    commands.replacePattern(std::move(*pattern), std::string());
    if (!tracing.isNull()) {
        PatternView& view = session_.view();
        view.setShowGrid(true);
        view.setBaseImage(tracing);
        view.setShowBaseImage(true);
        if (tracingShown_)
            tracingShown_();
        session_.changed(Changes());
    }
    return true;
}

bool importPhoto(EditorSession& session, PhotoDialogs& dialogs)
{
    DocumentCommands& commands = session.commands();
    if (!commands.offerSave())
        return false;
    const std::optional<PhotoImport> chosen = dialogs.importPhoto();
    if (!chosen)
        return false;
    // Built whole before the open pattern is touched, so a refusal leaves it as it was.
    auto pattern = buildImportedPattern(chosen->result, chosen->library, session.palettes(), ImportKind::Photo,
                                        session.document().fabric, &commands.dialogs());
    if (!pattern)
        return false;
    commands.replacePattern(std::move(*pattern), std::string());
    return true;
}

bool PictureCommands::showStatistics()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen())
        return false;
    StatisticsRequest request;
    request.rows = threadStatistics(doc, fabric_, strands_);
    nameThreads(request.rows, loadThreadNames(session_.palettes(), doc.brand));
    request.brand = doc.brand;
    request.width = doc.width();
    request.height = doc.height();
    request.fabric = fabric_;
    request.strands = strands_;
    request.clearSymbols = doc.clearSymbols;
    dialogs_.showStatistics(request);
    return true;
}

}  // namespace brenmark
