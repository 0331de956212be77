// The interchange and network commands: one call to the web service, the start-up
// check-in as the editor makes it, and DES on hexadecimal data.
#include "cli/cli_support.h"
#include "cli/json_writer.h"
#include "editor/shell/checkin.h"
#include "interchange/code_page.h"
#include "interchange/des.h"
#include "netcall/net_exports.h"

#include <optional>
#include <vector>

namespace brenmark::cli {
namespace {

std::optional<std::vector<unsigned char>> fromHex(const std::string& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int v = 0;
        for (std::size_t k = i; k < i + 2; ++k) {
            const char c = text[k];
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0)
                return std::nullopt;
            v = v * 16 + d;
        }
        bytes.push_back(static_cast<unsigned char>(v));
    }
    return bytes;
}

std::string toHex(const std::vector<unsigned char>& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

}  // namespace

int netcall(Args& args, std::ostream& out)
{
    const auto operands = args.operands(4);
    ZRSetUrl(operands[0]);
    std::string result, message;
    const bool ok = ZRCallNET(utf8ToGbk(operands[1]).c_str(), utf8ToGbk(operands[2]).c_str(), utf8ToGbk(operands[3]),
                              &result, &message);
    JsonWriter json(out);
    json.beginObject().key("ok").value(ok).key("msg").value(gbkToUtf8(message)).key("result").value(gbkToUtf8(result));
    json.endObject();
    out << '\n';
    return ok ? 0 : 1;
}

int checkin(Args& args, std::ostream& out, std::ostream& err)
{
    const std::string programDir = programDirFrom(args);
    args.operands(0);
    StderrMessages messages(err);
    SystemIdentitySource identities;
    NetCheckinHost host(messages);
    PaneTable panes = defaultPaneTable();
    const CheckinOutcome outcome = runCheckin(programDir, identities, host, panes);
    JsonWriter json(out);
    json.beginObject();
    json.key("host").value(gbkToUtf8(outcome.identity.hostName));
    json.key("id").value(gbkToUtf8(outcome.identity.identifier));
    json.key("called").value(outcome.called);
    json.key("update").value(outcome.update);
    json.key("panes").beginObject();
    for (std::size_t i = 0; i < kPaneCount; ++i)
        json.key(kPaneKeys[i]).value(gbkToUtf8(outcome.panes[i]));
    json.endObject().endObject();
    out << '\n';
    // The updater was started: the program ends as the editor does, with exit code 0.
    return 0;
}

int des(Args& args, std::ostream& out, std::ostream& err)
{
    const bool decrypt = args.flag("--decrypt");
    const auto operands = args.operands(2);
    const auto key = fromHex(operands[0]);
    auto data = fromHex(operands[1]);
    if (!key || !data)
        throw UsageError{};
    // The cipher works on whole blocks: the last one is filled with zeros.
    data->resize((data->size() + 7) / 8 * 8, 0);
    std::vector<unsigned char> result(data->size());
    if (!DES::Des_Go(result.data(), data->data(), static_cast<std::int32_t>(data->size()), key->data(),
                     static_cast<std::int32_t>(key->size()), decrypt)) {
        err << "brenmark-cli des: there is no data to process\n";
        return 1;
    }
    out << toHex(result) << '\n';
    return 0;
}

}  // namespace brenmark::cli
