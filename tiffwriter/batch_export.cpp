#include "tiffwriter/batch_export.h"

#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "interchange/code_page.h"
#include "tiffwriter/cmyk_table.h"

#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <ostream>

namespace brenmark {
namespace {

class BatchDialogs final : public PageExportDialogs {
public:
    BatchDialogs(const BatchRequest& request, std::ostream& err) : request_(request), err_(err) {}

    void show(const std::string& text, const std::string&, MessageIcon) override
    {
        err_ << gbkToUtf8(text) << '\n';
        // The note on the CMYK table is no failure: the run goes on.
        if (text != kMsgCmykTableDamaged)
            told_ = true;
    }
    std::optional<std::string> askOutputName(const std::string&, const std::string&, const std::string&) override
    {
        return request_.out;
    }
    std::optional<PrintOptions> askOptions(const PrintOptions&) override { return request_.options; }
    bool told() const { return told_; }

private:
    const BatchRequest& request_;
    std::ostream& err_;
    bool told_ = false;
};

// Ctrl+C during a batch run stops it after the page at hand; the old output stays.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

class BatchStatus final : public PageExportStatus {
public:
    bool cancelled() const override { return interrupted != 0; }
    explicit BatchStatus(std::ostream& out) : out_(out) {}
    void status(const std::string& text) override
    {
        out_ << gbkToUtf8(text) << '\n';
        last_ = text;
    }
    // On a terminal, a progress line on standard error, rewritten in place.
    void progress(int percent) override
    {
        if (!progressTo_)
            return;
        *progressTo_ << '\r' << percent << "%" << (percent >= 100 ? "\n" : "") << std::flush;
    }
    void showProgressOn(std::ostream* err) { progressTo_ = err; }
    const std::string& last() const { return last_; }

private:
    std::ostream& out_;
    std::ostream* progressTo_ = nullptr;
    std::string last_;
};

bool parseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

}  // namespace

std::variant<BatchRequest, std::string> parseBatchArguments(const std::vector<std::string>& arguments)
{
    BatchRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool takesValue = a == "--out" || a == "--mode" || a == "--paper-cm" || a == "--cell-cm" || a == "--title" ||
                                a == "--publisher" || a == "--program-dir" || a == "--overlap";
        if (takesValue && i + 1 >= arguments.size())
            return a + " needs a value";
        if (a == "--out") {
            request.out = arguments[++i];
        } else if (a == "--mode") {
            const std::string& mode = arguments[++i];
            if (mode == "whole")
                request.options.mode = ExportMode::Whole;
            else if (mode == "pages")
                request.options.mode = ExportMode::Pages;
            else
                return "--mode is whole or pages, not " + mode;
        } else if (a == "--paper-cm") {
            const std::string& paper = arguments[++i];
            const std::size_t x = paper.find('x');
            if (x == std::string::npos || !parseNumber(paper.substr(0, x), request.options.paperWidthCm) ||
                !parseNumber(paper.substr(x + 1), request.options.paperHeightCm))
                return "--paper-cm is WIDTHxHEIGHT in centimetres, not " + paper;
        } else if (a == "--cell-cm") {
            if (!parseNumber(arguments[++i], request.options.cellCm))
                return "--cell-cm is a number of centimetres, not " + arguments[i];
        } else if (a == "--overlap") {
            double rows = -1;
            if (!parseNumber(arguments[++i], rows) || rows < 0 || rows > kMaxPageOverlap || rows != static_cast<int>(rows))
                return "--overlap is a number of rows from 0 to 5, not " + arguments[i];
            request.options.overlap = static_cast<int>(rows);
        } else if (a == "--title") {
            request.options.title = utf8ToGbk(arguments[++i]);
        } else if (a == "--publisher") {
            request.options.publisher = utf8ToGbk(arguments[++i]);
        } else if (a == "--program-dir") {
            request.programDir = arguments[++i];
            if (!request.programDir.empty() && request.programDir.back() != '/')
                request.programDir += '/';
        } else if (a.starts_with("--")) {
            return "unknown option " + a;
        } else if (request.pattern.empty()) {
            request.pattern = a;
        } else {
            return "only one pattern file, not " + a + " as well";
        }
    }
    if (request.pattern.empty())
        return std::string("no pattern file given");
    if (request.out.empty())
        return std::string("--out PATH is needed");
    if (request.programDir.empty())
        request.programDir = programFolders().shipped;
    if (const std::string refusal = checkOptions(request.options); !refusal.empty())
        return gbkToUtf8(refusal);
    return request;
}

int runBatch(const BatchRequest& request, std::ostream& out, std::ostream& err, bool syncFiles)
{
    BatchDialogs dialogs(request, err);
    BatchStatus status(out);
    if (&err == &std::cerr && ::isatty(STDERR_FILENO))
        status.showProgressOn(&err);
    PageExportSetup setup;
    setup.patternPath = request.pattern;
    setup.programDir = request.programDir;
    setup.syncFiles = syncFiles;
    interrupted = 0;
    struct sigaction action {}, before {};
    action.sa_handler = onInterrupt;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &before);
    const PageExportResult result = runPageExport(setup, dialogs, status);
    ::sigaction(SIGINT, &before, nullptr);
    out.flush();
    if (result.outcome == PageExportOutcome::Written)
        return 0;
    if (interrupted) {
        err << gbkToUtf8(kStatusCancelled) << '\n';
        return 130;
    }
    // A failure the status line told about (the file could not be made) goes to err as well.
    if (!dialogs.told())
        err << (status.last().empty() ? std::string("nothing was written") : gbkToUtf8(status.last())) << '\n';
    return 1;
}

}  // namespace brenmark
