#pragma once
// Moved to the chart renderer; kept so the view's includes stay as they were.
#include "editor/render/qt_colour.h"
