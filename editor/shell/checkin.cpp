#include "editor/shell/checkin.h"

#include "interchange/zr_json_var.h"
#include "netcall/net_exports.h"

#include <QProcess>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace brenmark {

namespace fs = std::filesystem;

void NetCheckinHost::setServiceUrl(const std::string& url)
{
    ZRSetUrl(url);
}

bool NetCheckinHost::call(const std::string& className, const std::string& functionName,
                          const std::string& parameters, std::string& result)
{
    std::string message;
    return ZRCallNET(className.c_str(), functionName.c_str(), parameters, &result, &message);
}

bool NetCheckinHost::startUpdater(const std::string& path)
{
    const QString program = QString::fromLocal8Bit(path.c_str());
    return QProcess::startDetached(program, {}, QString::fromLocal8Bit(fs::path(path).parent_path().c_str()));
}

std::string serviceUrl(const std::string& programDir)
{
    std::ifstream in(fs::path(programDir) / kServiceUrlFile);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    line = line.substr(first);
    line.erase(line.find_last_not_of(" \t\r\n") + 1);
    while (!line.empty() && line.back() == '/')
        line.pop_back();  // the handler page is appended with its own "/"
    return line;
}

std::string checkinParameters(const Identity& identity)
{
    ZRJsonVar request;
    request.AddOneParame("sAppName", "vm");
    request.AddOneParame("sName", std::string_view(identity.hostName));
    request.AddOneParame("sUUID", std::string_view(identity.identifier));
    return request.GetJsonText();
}

CheckinOutcome runCheckin(const std::string& programDir, IdentitySource& identities, CheckinHost& host,
                          PaneTable& panes)
{
    CheckinOutcome outcome;
    outcome.identity = loadOrCreateIdentity(programDir, identities);
    const std::string url = serviceUrl(programDir);
    if (url.empty()) {
        outcome.panes = panes;
        return outcome;
    }
    host.setServiceUrl(url);
    outcome.called = true;
    std::string result;
    ZRJsonVar answer;
    // No answer, or one that is not JSON (a captive portal, a proxy's page): the default
    // panes. Starting the updater on such an answer would end every start-up.
    if (!host.call(kCheckinClass, kCheckinFunction, checkinParameters(outcome.identity), result) ||
        !answer.LoadJsonText(result)) {
        outcome.panes = panes;
        return outcome;
    }
    outcome.answered = true;
    std::string value, type;
    answer.GetVarValue("Ver", value, type);
    if (std::atof(value.c_str()) > kRunningRelease) {
        outcome.update = true;
        const fs::path updater = fs::path(programDir) / kUpdaterProgram;
        std::error_code ec;
        if (fs::is_regular_file(updater, ec) && host.startUpdater(updater.string())) {
            outcome.endProcess = true;
            outcome.panes = panes;
            return outcome;
        }
        host.messages().show(kNoUpdaterMessage, kTitleInfo, MessageIcon::Information);
    }
    for (std::size_t i = 0; i < kPaneCount; ++i) {
        answer.GetVarValue(kPaneKeys[i], value, type);
        panes[i] = value;
    }
    outcome.panes = panes;
    return outcome;
}

}  // namespace brenmark
