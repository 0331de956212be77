#pragma once
// The editor's start-up check-in with real windows: runs the check-in, fills the process's
// pane table and says whether start-up goes on (false: the updater was started and the
// program ends with exit code 0).
#include "editor/document/user_prompts.h"

#include <string>

namespace brenmark {

bool startupCheckIn(const std::string& programDir, MessageBoxes& messages);

}  // namespace brenmark
