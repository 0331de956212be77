#pragma once
// Recovery copies: while a pattern holds unsaved changes, the editor keeps a copy of the whole
// document in the user's recovery folder, written as a pattern file is saved (a temporary file
// synced and renamed into place) and on a worker thread, so the window never waits for the
// disk. A normal save, or throwing the changes away on purpose, removes the copy; an editor
// that is killed or crashes leaves it, and the next editor offers it.
//
// Each running editor holds a lock file of its own in the folder, so copies of editors still
// running are never offered, adopted or removed by another one.
#include "editor/document/pattern_document.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brenmark {

// A copy left behind by an editor that is not running any more.
struct RecoveryCopy {
    std::string id;            // the editor that wrote it
    std::string patternPath;   // the copy itself, a pattern file
    std::string originalPath;  // the pattern's own file; empty for an untitled pattern
    std::int64_t writtenAt = 0;  // seconds since 1970
};

// "2026-12-10 14:03" in local time.
std::string recoveryTimeText(std::int64_t secondsSinceEpoch);

class RecoveryStore {
public:
    // folder ends in "/" and is made when missing. The store takes its lock at once.
    explicit RecoveryStore(std::string folder);
    // Waits for a write in progress and releases the lock. The copy stays: only discard()
    // removes it, so an editor that ends without being asked keeps its work recoverable.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Whether the folder is there and the lock held; without both nothing is written.
    bool ready() const { return lockFd_ >= 0; }
    const std::string& id() const { return id_; }
    const std::string& folder() const { return folder_; }
    std::string ownPatternPath() const { return folder_ + id_ + ".xiu"; }

    // Copies of editors that are not running, newest first. Lock files of such editors that
    // left no copy are removed on the way.
    std::vector<RecoveryCopy> leftBehind() const;
    // Makes a copy left behind this editor's own (so it stays recoverable until saved or
    // discarded). False when another editor took it first or it cannot be moved.
    bool adopt(const RecoveryCopy& copy);
    // Removes a copy left behind; false when another editor holds it.
    bool remove(const RecoveryCopy& copy);
    // Moves a copy that cannot be read out of the way, keeping its bytes (".damaged").
    void setAside(const RecoveryCopy& copy);

    // Starts writing this editor's copy of doc on the worker thread. Only the copy of doc
    // into the store's own document happens on the caller's thread; that document is kept
    // between writes, so from the second write on the copy reuses its memory instead of
    // mapping some tens of megabytes afresh. False (nothing started) while the previous
    // write still runs or when the store is not ready.
    bool writeAsync(const PatternDocument& doc, std::string originalPath);
    // Gives the store's document the shape of doc (the grid and every layer's cells) on the
    // worker, so the first copy of a session also finds its memory ready rather than mapping
    // it while the window waits. False while a write runs.
    bool prepareAsync(const PatternDocument& doc);
    bool busy() const { return busy_.load() && !preparing_.load(); }
    // Waits for a write in progress.
    void wait();
    // Whether the last finished write succeeded.
    bool lastWriteOk() const { return lastOk_.load(); }
    // Removes this editor's copy (after a write in progress ends).
    void discard();

    // The write itself, as the worker runs it: the pattern, then the note that names it.
    static bool writeCopy(const std::string& folder, const std::string& id, const PatternDocument& doc,
                          const std::string& originalPath, std::int64_t writtenAt);

private:
    void join();

    std::string folder_;
    std::string id_;
    int lockFd_ = -1;
    std::thread worker_;
    // What the worker writes; the caller's thread touches it only while no write runs.
    PatternDocument copy_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> preparing_{false};
    std::atomic<bool> lastOk_{true};
};

}  // namespace brenmark
