#include "plugins/host/hollick.h"

#include "editor/document/program_directory.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

namespace {

using CanSetUpFn = bool (*)();
using GetNameFn = bool (*)(std::string&);
using StartFn = bool (*)(void*, brenmark::UndoSnapshot*, const std::int32_t*, std::int32_t);

struct PluginEntry {
    std::array<char, brenmark::kPluginNameBytes + 1> name{};  // NUL-terminated
    GetNameFn getName = nullptr;
    StartFn start = nullptr;
    void* module = nullptr;

    std::string nameText() const { return std::string(name.data()); }
};

struct Host {
    std::array<PluginEntry, brenmark::kPluginCapacity> table{};
    int count = 0;
    bool setUp = false;
    QPointer<QObject> target;
    std::string programDir;  // empty: the executable's folder
    std::string userDir;     // a second folder whose DllPin is scanned after it; empty: none
    std::set<std::string> reported;  // libraries already named on standard error
};

Host& host()
{
    static Host h;
    return h;
}

// The folders scanned, in order: the program's, then the user's when it is another one.
std::vector<std::string> pluginFolders()
{
    const std::string& dir = host().programDir.empty() ? brenmark::programDirectory() : host().programDir;
    std::vector<std::string> folders{brenmark::expandPathTemplate(brenmark::kPluginFolderTemplate, {dir})};
    if (!host().userDir.empty() && host().userDir != dir)
        folders.push_back(brenmark::expandPathTemplate(brenmark::kPluginFolderTemplate, {host().userDir}));
    return folders;
}

// Once per library and process, so a broken plug-in does not flood the terminal.
void reportOnce(const std::string& path, const std::string& why)
{
    if (!host().reported.insert(path).second)
        return;
    std::fprintf(stderr, "hollick: %s is no plug-in: %s\n", path.c_str(), why.c_str());
}

// One folder's plug-in files in byte order of their names: directory order means nothing on
// Linux.
std::vector<std::filesystem::path> pluginFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return files;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (entry.is_directory(typeError))
            continue;
        const std::string name = entry.path().filename().string();
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return files;
}

std::string asFolder(const std::string& dir)
{
    return dir.empty() || dir.back() == '/' ? dir : dir + '/';
}

std::vector<std::filesystem::path> pluginFiles()
{
    std::vector<std::filesystem::path> files;
    for (const std::string& folder : pluginFolders()) {
        std::vector<std::filesystem::path> more = pluginFiles(folder);
        files.insert(files.end(), more.begin(), more.end());
    }
    return files;
}

}  // namespace

extern "C" {

void SetChaProgramDir(const std::string& dir)
{
    host().programDir = asFolder(dir);
}

void SetChaUserDir(const std::string& dir)
{
    host().userDir = asFolder(dir);
}

void GetAllChaJia(std::vector<std::string>& names)
{
    Host& h = host();
    names.clear();
    h.count = 0;
    h.setUp = false;
    for (const std::filesystem::path& file : pluginFiles()) {
        const std::string path = file.string();
        dlerror();
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = dlerror();
            reportOnce(path, why ? why : "it cannot be loaded");
            continue;
        }
        const auto getName = reinterpret_cast<GetNameFn>(dlsym(module, "GetVelmoraChaName"));
        const auto start = reinterpret_cast<StartFn>(dlsym(module, "StartCha"));
        const auto canSetUp = reinterpret_cast<CanSetUpFn>(dlsym(module, "CanSetUp"));
        if (!getName || !start || !canSetUp) {
            reportOnce(path, std::string("it lacks ") +
                                 (!getName ? "GetVelmoraChaName" : !start ? "StartCha" : "CanSetUp"));
            dlclose(module);
            continue;
        }
        if (!canSetUp() || h.count >= brenmark::kPluginCapacity) {
            dlclose(module);
            continue;
        }
        PluginEntry& entry = h.table[static_cast<std::size_t>(h.count)];
        entry = PluginEntry{};
        entry.getName = getName;
        entry.start = start;
        entry.module = module;
        std::string name;
        getName(name);
        const std::size_t kept = std::min(name.size(), brenmark::kPluginNameBytes);
        std::copy_n(name.data(), kept, entry.name.data());
        entry.name[kept] = '\0';
        names.push_back(name);
        ++h.count;
    }
}

bool SetupAllChaJian(void* view, QMenu* menu)
{
    Host& h = host();
    h.target = static_cast<QObject*>(view);
    if (menu) {
        for (int i = 0; i < h.count; ++i) {
            QAction* item = menu->addAction(brenmark::fromGbk(h.table[static_cast<std::size_t>(i)].nameText()));
            item->setData(static_cast<int>(brenmark::kPluginCommandBase) + i);
            item->setEnabled(true);
        }
    }
    h.setUp = true;
    return h.count > 0;
}

void StartOneCha(const std::string& name, void* view, brenmark::UndoSnapshot* snapshot, const std::int32_t* outline,
                 std::int32_t count)
{
    Host& h = host();
    if (!h.setUp)
        return;
    for (int i = 0; i < h.count; ++i) {
        const PluginEntry& entry = h.table[static_cast<std::size_t>(i)];
        if (entry.start && entry.nameText() == name) {
            entry.start(view, snapshot, outline, count);
            return;
        }
    }
}

bool ChaWindowProc(std::uint32_t id, std::string& name)
{
    const Host& h = host();
    if (id < brenmark::kPluginCommandBase || id >= brenmark::kPluginCommandBase + static_cast<std::uint32_t>(h.count))
        return false;
    name = h.table[id - brenmark::kPluginCommandBase].nameText();
    return true;
}

void CloseAllCha()
{
    Host& h = host();
    if (!h.setUp || h.count < 1)
        return;
    for (int i = 0; i < h.count; ++i) {
        PluginEntry& entry = h.table[static_cast<std::size_t>(i)];
        if (entry.module)
            dlclose(entry.module);
        // The entry points went with the library.
        entry.module = nullptr;
        entry.start = nullptr;
        entry.getName = nullptr;
    }
}

std::intptr_t ActVelmoraData(std::uintptr_t data)
{
    QObject* target = host().target.data();
    if (!target)
        return 0;
    brenmark::ViewMessageEvent message(brenmark::kPluginResultMessage, data, 0);
    QCoreApplication::sendEvent(target, &message);
    return message.answer;
}

}  // extern "C"
