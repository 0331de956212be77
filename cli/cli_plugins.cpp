// brenmark-cli plugins and threadmap: the plug-in names the editor would list, and the
// thread library "生成库" builds from a mapping file.
#include "cli/cli_support.h"
#include "cli/json_writer.h"
#include "interchange/file_bytes.h"
#include "interchange/code_page.h"
#include "interchange/ui_text.h"
#include "editor/document/program_folders.h"
#include "plugins/host/hollick.h"
#include "plugins/threadmap/thread_mapping_file.h"

#include <cstdio>

namespace brenmark::cli {

namespace {

// The library's messages, on standard error in UTF-8.
class StreamMessages final : public MessageBoxes {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    void show(const std::string& text, const std::string&, MessageIcon) override
    {
        err_ << "brenmark-cli: " << gbkToUtf8(uiTextOf(text)) << '\n';
    }

private:
    std::ostream& err_;
};

}  // namespace

int plugins(Args& args, std::ostream& out)
{
    // As the editor looks: the shipped plug-ins, then the user's own; a given folder alone.
    if (auto dir = args.option("--program-dir")) {
        SetChaProgramDir(*dir);
    } else {
        SetChaProgramDir(programFolders().plugins);
        SetChaUserDir(programFolders().user);
    }
    args.operands(0);
    std::vector<std::string> names;
    GetAllChaJia(names);
    JsonWriter json(out);
    json.beginArray();
    for (const std::string& name : names)
        json.value(gbkToUtf8(name));
    json.endArray();
    out << '\n';
    return 0;
}

int threadmap(Args& args, std::ostream& err)
{
    const std::string dir = programDirFrom(args);
    const std::optional<std::string> name = args.option("--name");
    const std::string path = args.operands(1)[0];
    std::vector<std::uint8_t> bytes;
    // The longest mapping file: a signed 32-bit count of pairs.
    constexpr std::uint64_t kLongest = 4 + 0x7FFFFFFFull * kMappingPairBytes;
    if (!readWholeFile(path, bytes, kLongest)) {
        err << "brenmark-cli: cannot read " << path << '\n';
        return 1;
    }
    const std::optional<MappingRead> read = decodeMapping(bytes);
    if (!read) {
        err << "brenmark-cli: " << path << " is no mapping file\n";
        return 1;
    }
    StreamMessages messages(err);
    if (read->cutShort) {
        char text[128];
        std::snprintf(text, sizeof text, kMappingCutShort, static_cast<int>(read->pairs.size()));
        messages.show(text, kTitleInfo, MessageIcon::Warning);
    }
    // As the grid builds: up to the first incomplete pair.
    MappingGrid grid;
    grid.appendPairs(read->pairs);
    // A file without one whole pair to build from is no mapping file: nothing is built
    // from it (an empty library would replace nothing with nothing).
    if (grid.pairsToBuild().empty()) {
        err << "brenmark-cli: " << path << " is no mapping file\n";
        return 1;
    }
    const BuildOutcome outcome =
        buildThreadLibrary(PaletteStore(dir), name ? utf8ToGbk(*name) : std::string(), grid.pairsToBuild(), messages);
    return outcome == BuildOutcome::Built ? 0 : 1;
}

}  // namespace brenmark::cli
