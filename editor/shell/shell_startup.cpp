#include "editor/shell/shell_startup.h"

#include "editor/shell/checkin.h"

namespace brenmark {

bool startupCheckIn(const std::string& programDir, MessageBoxes& messages)
{
    SystemIdentitySource identities;
    NetCheckinHost host(messages);
    const CheckinOutcome outcome = runCheckin(programDir, identities, host, paneTable());
    paneTableFromService() = outcome.answered && !outcome.endProcess;
    return !outcome.endProcess;
}

}  // namespace brenmark
