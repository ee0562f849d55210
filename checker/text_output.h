// The text form of a check, one finding a line as compilers write them, so that editors jump to
// them: FILE:LINE:COLUMN: error|warning|note: MESSAGE [RULE], then the file's verdict line.
#ifndef MORVAC_CHECKER_TEXT_OUTPUT_H
#define MORVAC_CHECKER_TEXT_OUTPUT_H

#include <ostream>
#include <string>
#include <string_view>

#include "check_file.h"
#include "line_index.h"

// Returns the verdict line of a file (without its line end).
[[nodiscard]] std::string verdict_line(std::string_view name, const LineIndex& lines,
                                       const FileReport& report);

// Writes the findings of a file and its verdict line.
void write_text(std::ostream& out, std::string_view name, const LineIndex& lines,
                const FileReport& report);

// Writes the summary of several files: how many got each verdict.
void write_summary(std::ostream& out, const int (&verdicts)[4]);

#endif  // MORVAC_CHECKER_TEXT_OUTPUT_H
