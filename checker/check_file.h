// The check of one program: every finding, in source order, and what morvac does with its copy.
#ifndef MORVAC_CHECKER_CHECK_FILE_H
#define MORVAC_CHECKER_CHECK_FILE_H

#include <string>
#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "findings.h"
#include "line_index.h"

enum class Verdict { Translates, TranslatesOnceRewritten, Stops, CannotRead };

struct FileReport {
  std::vector<Finding> findings;  // in source order
  Verdict verdict = Verdict::CannotRead;
  Span stop_at;              // for Stops: where the refused construct begins
  std::string stop_message;  // for Stops: morvac's message
  Copy copy;
  // Where what the checker predicts from its reading of the copy disagrees with what morvac did:
  // always a fault of the checker, also reported as an error finding.
  std::vector<std::string> inconsistencies;
};

struct CheckedFile {
  std::string name;    // as given on the command line
  std::string source;  // its text
  FileReport report;
  LineIndex lines;  // of source
};

// Checks source: its syntax, where morvac reads it otherwise, the constructs morvac refuses,
// and the verdict of morvac's own front end run on the copy.
[[nodiscard]] FileReport check_source(std::string_view source);

// Checks the first `checked` of sources, each as check_source does, with the modules of all of
// them at hand for the runs that the copies write out.
[[nodiscard]] std::vector<FileReport> check_sources(const std::vector<std::string_view>& sources,
                                                    std::size_t checked);

#endif  // MORVAC_CHECKER_CHECK_FILE_H
