// Golden tests of morvac: for each <case>.strl under the golden folder, the translation run in a
// fresh directory must produce, byte for byte, the files beside it:
//   <case>.qrl     the output file
//   <case>.err     standard error (token trace, messages)
//   <case>.status  the exit status
//   <case>.out     standard output (message boxes without a display); absent means empty
//   <case>.log     the echo file, checked when present
// MORVAC_UPDATE_GOLDEN=1 rewrites the expected files from what morvac does (review the diff).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> golden_cases() {
  std::vector<std::string> cases;
  for (const auto& entry : fs::recursive_directory_iterator(GOLDEN_DIR)) {
    if (entry.path().extension() != ".strl") continue;
    const fs::path relative = fs::relative(entry.path(), GOLDEN_DIR);
    cases.push_back((relative.parent_path() / relative.stem()).string());
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string test_name(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, TranslationMatchesExpectedFiles) {
  const fs::path expected = fs::path(GOLDEN_DIR) / GetParam();
  const std::string base = expected.filename().string();
  const fs::path work = make_temp_directory();
  fs::copy_file(expected.string() + ".strl", work / (base + ".strl"));

  ProcessOptions options;
  options.directory = work.string();
  const ProcessResult run = run_process({MORVAC_BINARY, base}, options);
  const std::string qrl = read_file((work / (base + ".qrl")).string());
  const std::string log = read_file((work / (base + ".log")).string());
  const std::string status = std::to_string(run.status) + "\n";

  enum Kind { kRequired, kEmptyWhenAbsent, kCheckedWhenPresent };
  const auto expect_file = [&](const std::string& suffix, const std::string& actual, Kind kind) {
    const std::string path = expected.string() + suffix;
    bool exists = false;
    const std::string wanted = read_file(path, &exists);
    if (std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) {
      if (exists || kind == kRequired || (kind == kEmptyWhenAbsent && !actual.empty())) {
        write_file(path, actual);
      }
      return;
    }
    if (!exists && kind == kCheckedWhenPresent) return;
    EXPECT_EQ(wanted, actual) << "in " << path;
  };
  expect_file(".status", status, kRequired);
  expect_file(".err", run.err, kRequired);
  expect_file(".qrl", qrl, kRequired);
  expect_file(".out", run.out, kEmptyWhenAbsent);
  expect_file(".log", log, kCheckedWhenPresent);
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(golden_cases()), test_name);

}  // namespace
