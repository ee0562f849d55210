// The findings of a run as SARIF 2.1.0, the format that code-scanning services and editor
// extensions read: one run, the rules of the checker, one result per finding (its notes as
// related locations) and each file's verdict line in the run's properties.
#ifndef MORVAC_CHECKER_SARIF_OUTPUT_H
#define MORVAC_CHECKER_SARIF_OUTPUT_H

#include <ostream>
#include <string>
#include <vector>

#include "check_file.h"
#include "line_index.h"

// Writes the SARIF log of the checked files.
void write_sarif(std::ostream& out, const std::vector<CheckedFile>& files, const char* version);

#endif  // MORVAC_CHECKER_SARIF_OUTPUT_H
