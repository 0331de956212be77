#pragma once
// A fixed little drawing session for pictures of the editor at work (the hidden option
// --demo-drawing): colours picked from the colour bar and cells drawn with the point, shape,
// fill, eraser, text and clone tools, all through the same mouse and key events a person
// would cause. It expects the sample pattern (31 x 31 cells, five threads) to be open.
namespace brenmark {

class MainWindow;

void runDemoDrawing(MainWindow& window);

// The hidden option --demo-selection: a tracing picture made from the pattern itself, outline
// stitches drawn over it with the outline tool, a closed selection and a pasted copy of it
// left floating, again through mouse events. Expects the sample pattern too.
void runDemoSelection(MainWindow& window);

}  // namespace brenmark
