#pragma once
// A program folder whose "DllPin" holds copies of the test plug-ins under chosen names.
// Copies, not links: the loader takes two paths of one file for one library.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <string>
#include <vector>

namespace brenmark::test {

struct PluginStart;

class PluginFolder {
public:
    PluginFolder() { QDir(dir_.path()).mkpath(u"DllPin"_qs); }
    std::string programDir() const { return dir_.path().toStdString() + "/"; }
    std::string pathOf(const std::string& fileName) const { return programDir() + "DllPin/" + fileName; }
    // Copies the built plug-in "tp_<plugin>.so" as fileName.
    void add(const std::string& plugin, const std::string& fileName) const
    {
        QFile::copy(QString::fromStdString(std::string(BRENMARK_TEST_PLUGIN_DIR) + "/tp_" + plugin + ".so"),
                    QString::fromStdString(pathOf(fileName)));
    }
    void addFile(const std::string& fileName, const QByteArray& bytes) const
    {
        QFile f(QString::fromStdString(pathOf(fileName)));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    // The starts noted by the copy loaded from fileName; null when it is not loaded.
    const std::vector<PluginStart>* starts(const std::string& fileName) const
    {
        void* module = dlopen(pathOf(fileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!module)
            return nullptr;
        using Fn = std::vector<PluginStart>* (*)();
        const auto fn = reinterpret_cast<Fn>(dlsym(module, "TestPluginStarts"));
        dlclose(module);  // only drops the count NOLOAD added
        return fn ? fn() : nullptr;
    }
    bool loaded(const std::string& fileName) const
    {
        void* module = dlopen(pathOf(fileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (module)
            dlclose(module);
        return module != nullptr;
    }

private:
    QTemporaryDir dir_;
};

}  // namespace brenmark::test
