#pragma once
// A fixed little drawing session for pictures of the editor at work (the hidden option
// --demo-drawing): colours picked from the colour bar and cells drawn with the point, shape,
// fill, eraser, text and clone tools, all through the same mouse and key events a person
// would cause. It expects the sample pattern (31 x 31 cells, five threads) to be open.
namespace brenmark {

class MainWindow;

void runDemoDrawing(MainWindow& window);

}  // namespace brenmark
