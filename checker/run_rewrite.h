// The rewrites of the statements of a program's files, module by module, a module that is run
// before the modules that run it: the derived statements of statement_rewrite.h, and `run M`
// and `copymodule M` written as M's body with the names that the run renames replaced, for a
// module M of any of the files. Esterel binds M's signals to the signals of the same name (or of
// the renamed name) where the run stands, and its data to the caller's; the copy adds to the
// caller's declarations those of M that it lacks. A run is not written out where the result
// would not mean what it means: a name that the run renames declared again inside M, a data
// object that the caller declares otherwise (an error), a signal that nothing declares there (an
// error), a module that runs itself (an error), or copies beyond the limits below.
#ifndef MORVAC_CHECKER_RUN_REWRITE_H
#define MORVAC_CHECKER_RUN_REWRITE_H

#include <cstddef>
#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "esterel_parser.h"
#include "findings.h"
#include "statement_rewrite.h"

// The text that written-out runs may add to one file's copy, and how deep runs may nest.
constexpr std::size_t kMostRunText = std::size_t{1024} * 1024;
constexpr std::size_t kDeepestRun = 256;

struct RewriteFile {
  std::string_view source;
  const std::vector<Token>* tokens;  // as read
  const esterel::Parse* parse;
  const Copy* copy;  // the copy without statement rewrites
};

struct FileRewrites {
  std::vector<StatementRewrite> rewrites;
  std::vector<Finding> findings;  // the runs not written out, and why
};

// Returns the rewrites of each file (none in a file with a syntax error).
[[nodiscard]] std::vector<FileRewrites> rewrite_statements(const std::vector<RewriteFile>& files);

#endif  // MORVAC_CHECKER_RUN_REWRITE_H
