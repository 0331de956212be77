#pragma once
// What the commands of brenmark-cli share: option parsing, message boxes on standard error
// and the words for a path that cannot be opened.
#include "editor/document/user_prompts.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace brenmark::cli {

struct UsageError {};

// Message boxes become lines on standard error, in UTF-8.
class StderrMessages final : public MessageBoxes {
public:
    explicit StderrMessages(std::ostream& err) : err_(err) {}
    void show(const std::string& text, const std::string&, MessageIcon) override;
    int shown() const { return shown_; }

private:
    std::ostream& err_;
    int shown_ = 0;
};

class Args {
public:
    explicit Args(const std::vector<std::string>& args) : args_(args) {}
    bool flag(const std::string& name)
    {
        for (std::size_t i = 1; i < args_.size(); ++i)
            if (args_[i] == name) {
                args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        return false;
    }
    std::optional<std::string> option(const std::string& name)
    {
        for (std::size_t i = 1; i < args_.size(); ++i)
            if (args_[i] == name) {
                if (i + 1 >= args_.size())
                    throw UsageError{};
                std::string v = args_[i + 1];
                args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i), args_.begin() + static_cast<std::ptrdiff_t>(i + 2));
                return v;
            }
        return std::nullopt;
    }
    // The remaining operands after the command; anything that looks like an option is an error.
    std::vector<std::string> operands(std::size_t count) const
    {
        if (args_.size() != count + 1)
            throw UsageError{};
        for (std::size_t i = 1; i < args_.size(); ++i)
            if (args_[i].size() > 1 && args_[i][0] == '-')
                throw UsageError{};
        return {args_.begin() + 1, args_.end()};
    }

private:
    std::vector<std::string> args_;
};

// Why a path could not be opened, when the path itself is the reason; empty for a file.
std::string pathProblem(const std::string& path);

// --program-dir, or the executable's folder.
std::string programDirFrom(Args& args);

// The plug-in commands (cli_plugins.cpp).
int plugins(Args& args, std::ostream& out);
int threadmap(Args& args, std::ostream& err);

// The picture and colour commands (cli_output.cpp).
int convert(Args& args, std::ostream& out, std::ostream& err);
int photo(Args& args, std::ostream& out, std::ostream& err);
int stats(Args& args, std::ostream& out, std::ostream& err);
int colours(Args& args, std::ostream& err);
// The chart files and the page writer's argument (cli_export.cpp).
int exportChart(Args& args, std::ostream& out, std::ostream& err);
int scramble(Args& args, std::ostream& out);

// OXS charts in and out (cli_oxs.cpp).
int oxsImport(Args& args, std::ostream& out, std::ostream& err);
int oxsExport(Args& args, std::ostream& out, std::ostream& err);
// Charts of other programs, the reader chosen by content (cli_import.cpp).
int importChart(Args& args, std::ostream& out, std::ostream& err);
int importPalette(Args& args, std::ostream& out, std::ostream& err);

// The interchange and network commands (cli_net.cpp).
int netcall(Args& args, std::ostream& out);
int checkin(Args& args, std::ostream& out, std::ostream& err);
int des(Args& args, std::ostream& out, std::ostream& err);

}  // namespace brenmark::cli
