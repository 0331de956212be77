#pragma once
// The start-up check-in: the editor reports its identity to the web service, learns whether
// a newer release must be installed and takes the pane addresses from the answer.
//
// The service's address is the first line of "service.url" in the program directory; with
// no such file there is no check-in at all. A call that fails or an answer that is not JSON
// leaves the default panes. A "Ver" above 5.0 starts the updater "Fernhold" from the program
// directory, and the caller then ends the process with exit code 0; without an updater the
// user is told once and start-up goes on.
#include "editor/document/user_prompts.h"
#include "editor/shell/identity_file.h"
#include "editor/shell/pane_table.h"
#include "interchange/ui_text.h"

#include <string>

namespace brenmark {

inline constexpr const char* kServiceUrlFile = "service.url";
inline constexpr const char* kUpdaterProgram = "Fernhold";
inline constexpr const char* kCheckinClass = "CoreSYS.SYS";
inline constexpr const char* kCheckinFunction = "StartApp";
inline constexpr double kRunningRelease = 5.0;
inline constexpr const char* kNoUpdaterMessage = UI_TEXT_NOOP("已有新版本，但程序目录中没有更新程序，本次继续使用当前版本。");

// What the check-in needs of the world; tests script it.
class CheckinHost {
public:
    virtual ~CheckinHost() = default;
    virtual void setServiceUrl(const std::string& url) = 0;
    // One synchronous call; the result object's text on success.
    virtual bool call(const std::string& className, const std::string& functionName, const std::string& parameters,
                      std::string& result) = 0;
    // Starts the updater program; false when it could not be started.
    virtual bool startUpdater(const std::string& path) = 0;
    virtual MessageBoxes& messages() = 0;
};

// Calls through libdunmere and starts the updater as a detached process.
class NetCheckinHost : public CheckinHost {
public:
    explicit NetCheckinHost(MessageBoxes& messages) : messages_(messages) {}
    void setServiceUrl(const std::string& url) override;
    bool call(const std::string& className, const std::string& functionName, const std::string& parameters,
              std::string& result) override;
    bool startUpdater(const std::string& path) override;
    MessageBoxes& messages() override { return messages_; }

private:
    MessageBoxes& messages_;
};

struct CheckinOutcome {
    Identity identity;
    bool called = false;      // a service address was there and the call was made
    bool answered = false;    // the call succeeded with a JSON answer
    bool update = false;      // the answer asks for a newer release
    bool endProcess = false;  // the updater was started: end with exit code 0
    PaneTable panes;
};

// The service address from the program directory, empty when there is none.
std::string serviceUrl(const std::string& programDir);

// The request document: "sAppName" "vm", "sName" the host name, "sUUID" the identifier.
std::string checkinParameters(const Identity& identity);

// Runs the check-in and stores the pane addresses in panes.
CheckinOutcome runCheckin(const std::string& programDir, IdentitySource& identities, CheckinHost& host,
                          PaneTable& panes);

}  // namespace brenmark
