#pragma once
// The pattern view's private messages. Their numbers are fixed: plug-ins send 1124.
namespace brenmark {

enum ViewMessage : int {
    MsgPluginResult = 1124,     // a plug-in hands its result back
    MsgColourPicked = 1524,     // colour bar to its owner: a swatch was clicked
    MsgSetCurrentColour = 2265, // wParam: the colour; lParam 1 also sets the flash colour
    MsgSelectTool = 2284,       // wParam: tool number, -1 / -2 the tool window's switches
    MsgKeyDown = 2424,          // wParam: key code; lParam: clear colour blocks only
    MsgTextChar = 2524,         // a character for the text tool
    MsgSetStitchKind = 2780,    // wParam: stitch kind 0..13
    MsgSetFlashing = 3024,      // wParam: on / off
    MsgMirror = 3224,           // wParam: checked; lParam 1 horizontal, 2 vertical
    MsgRecolourLines = 3226,    // change the colour of outline stitches
    MsgExportDone = 5024,       // picture conversion finished
};

}  // namespace brenmark
