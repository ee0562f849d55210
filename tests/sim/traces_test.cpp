// Hand-checked traces of every statement and of the hard cases of the semantics (traces.tsv).
#include <gtest/gtest.h>

#include "case_table.h"
#include "trace_runs.h"

TEST(SimTraces, CasesOfTheTable) {
  expect_cases(TABLE_DIR "/traces.tsv", {{"trace", [](const CaseFields& args) -> CaseFields {
                                            return {run_trace(args[0], args[1])};
                                          }}});
}
