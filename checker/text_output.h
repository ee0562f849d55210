// The text form of a check, one finding a line as compilers write them, so that editors jump to
// them: FILE:LINE:COLUMN: error|warning|note: MESSAGE [RULE], then the file's verdict line, in a
// form that no editor takes for a place: FILE: verdict: ...
#ifndef MORVAC_CHECKER_TEXT_OUTPUT_H
#define MORVAC_CHECKER_TEXT_OUTPUT_H

#include <ostream>
#include <string>

#include "check_file.h"
#include "line_index.h"

// Returns the verdict line of a file (without its line end).
[[nodiscard]] std::string verdict_line(const CheckedFile& file, ColumnStyle columns);

// Writes the findings of a file and its verdict line.
void write_text(std::ostream& out, const CheckedFile& file, ColumnStyle columns);

// Writes the summary of several files: how many got each verdict.
void write_summary(std::ostream& out, const int (&verdicts)[4]);

#endif  // MORVAC_CHECKER_TEXT_OUTPUT_H
