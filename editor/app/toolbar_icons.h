#pragma once
// The toolbar's pictures, drawn here rather than shipped as artwork.
#include <QIcon>
#include <QPixmap>

namespace brenmark {

enum class CommandIcon {
    New,
    Open,
    Save,
    Import,
    ZoomIn,
    ZoomOut,
    Threads,
    ColourBlocks,
    SymbolsOnColour,
    SymbolsOnly,
    Simulated,
    Close,
    // Printing.
    PrintSettings,
    Print,
    Application,
    FitWindow,
    None,  // no picture: menu rows
};

QPixmap commandPixmap(CommandIcon icon, int size = 32);
QIcon commandIcon(CommandIcon icon);

}  // namespace brenmark
