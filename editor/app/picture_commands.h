#pragma once
// The commands of pictures and thread amounts: "导入" and "带描边的卡通图导入" (a picture
// turned into a new pattern), "当前绣图统计" and the three tools of "附加工具". Registered
// with the command router in one call; the windows go through PictureDialogs.
#include "editor/app/picture_dialogs.h"

#include <functional>
#include <string>

namespace brenmark {

class CommandRouter;
class EditorSession;

class PictureCommands {
public:
    // tracingShown: the tool window's "显示底图" box is to be shown and ticked.
    PictureCommands(EditorSession& session, PictureDialogs& dialogs, std::function<void()> tracingShown = {});

    void route(CommandRouter& router);

    // Save prompt, the picture dialog, then the conversion installed as a new untitled
    // pattern. Cancelling, closing without a conversion or a refused palette leave the
    // open pattern exactly as it was.
    bool importPicture(ImportKind kind);
    // Nothing without an open pattern.
    bool showStatistics();

    // The fabric count and strands the statistics count with (the print details').
    void setAmountSettings(std::string fabric, int strands);
    const std::string& fabric() const { return fabric_; }
    int strands() const { return strands_; }

private:
    EditorSession& session_;
    PictureDialogs& dialogs_;
    std::function<void()> tracingShown_;
    std::string fabric_ = kDefaultFabric;
    int strands_ = kDefaultStrands;
    // The picture dialog's options and brand, as the last one was left (its crop belonged to
    // its picture).
    ConversionOptions lastOptions_;
    std::string lastBrand_;
};

}  // namespace brenmark
