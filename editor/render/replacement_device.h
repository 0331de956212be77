#pragma once
// Qt's writers (pictures, PDF, SVG, metafiles) writing into a ReplacementFile: every byte
// goes straight to a temporary file beside the target, a failed write marks the file
// failed (the writer's later bytes are dropped, see writeData), and commit() syncs it and
// renames it over the target only when every write, the sync and the close succeeded.
//
// File names reach Qt as QStrings; names whose bytes are not UTF-8 keep each such byte as
// the code unit U+DC80 + byte (fileNameFromBytes), and fileNameBytes gives the bytes back,
// so a user's name is written exactly as given.
#include "interchange/file_bytes.h"

#include <QIODevice>
#include <QString>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>

namespace brenmark {

QString fileNameFromBytes(const std::string& bytes);
std::string fileNameBytes(const QString& name);

class ReplacementDevice : public QIODevice {
public:
    explicit ReplacementDevice(const QString& path);
    ~ReplacementDevice() override;

    // Opens the device for writing; false when the temporary file cannot be made.
    bool begin();
    // True when the complete file stands at the path.
    bool commit();
    // Why it failed (GBK), empty when it did not.
    std::string failure() const;
    // Asked before every write and before the commit: once it says so, later bytes are
    // dropped and the file is never committed (ECANCELED), so a stopped export leaves
    // nothing behind.
    void setCancel(std::function<bool()> cancelled) { cancelled_ = std::move(cancelled); }
    bool cancelled() const { return error_ == ECANCELED; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    std::string path_;
    std::unique_ptr<ReplacementFile> file_;
    int error_ = 0;
    std::function<bool()> cancelled_;
};

}  // namespace brenmark
