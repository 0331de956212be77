#pragma once
// The page writer without windows, for batch work and tests:
//
//   pressly --batch --out PATH [--mode whole|pages] [--paper-cm 25x20] [--cell-cm 0.3] [--overlap 0-5]
//           [--title T] [--publisher P] [--program-dir DIR] PATTERN.xiu
//
// It runs the same export with the answers given, prints the status texts (UTF-8) on
// standard output and the messages on standard error.
#include "tiffwriter/export_run.h"

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

namespace brenmark {

struct BatchRequest {
    std::string pattern;
    std::string out;
    std::string programDir;  // the program's own directory unless given
    PrintOptions options;    // title and publisher in GBK
};

// The arguments after "--batch"; a request, or what is wrong with them (UTF-8).
std::variant<BatchRequest, std::string> parseBatchArguments(const std::vector<std::string>& arguments);

// 0 when the pages were written, 1 otherwise (the message on err).
int runBatch(const BatchRequest& request, std::ostream& out, std::ostream& err, bool syncFiles = true);

}  // namespace brenmark
