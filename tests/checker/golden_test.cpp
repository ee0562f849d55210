// Golden tests of morvac-check, one folder per family of diagnostics (tests/checker/golden/*)
// and the realistic programs of examples/esterel. For each <case>.strl, morvac-check run in the
// case's folder must print <case>.expected and end with the status in <case>.status; then the
// real morvac, run on the copy that morvac-check wrote (-o), must do what the verdict line says;
// and where <case>.sarif is there, --format=sarif must print it. The status is 0 exactly for the
// verdict `translates`, and a file that becomes Quarl holds no error. Where <case>.copy is there,
// the copy must be it; where <case>.qrl is, the Quarl that morvac writes from the copy. Each run
// has --verify: a rewritten copy runs against its program. Where <case>.modules is there, each of
// its lines names a file given with -m, whose modules the case runs.
// MORVAC_UPDATE_GOLDEN=1 rewrites the expected files from what morvac-check does (review them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "run_process.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> golden_cases() {
  std::vector<std::string> cases;
  for (const char* root : {CHECKER_GOLDEN_DIR, ESTEREL_EXAMPLES_DIR}) {
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (entry.path().extension() == ".strl") cases.push_back(entry.path().string());
    }
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string test_name(const testing::TestParamInfo<std::string>& info) {
  const fs::path path(info.param);
  std::string name = path.parent_path().filename().string() + "_" + path.stem().string();
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
  return name;
}

// Checks that morvac, run on the copy, does what the verdict line (the last line of out) says.
void expect_morvac_follows(const std::string& out, const std::string& name, const fs::path& copy,
                           const std::string& original) {
  const std::size_t start = out.rfind('\n', out.size() - 2) + 1;
  const std::string verdict = out.substr(start, out.size() - 1 - start);
  ProcessOptions options;
  options.directory = copy.parent_path().string();
  const ProcessResult morvac = run_process({MORVAC_BINARY, copy.stem().string()}, options);
  const std::string text = read_file(copy.string());
  EXPECT_EQ(std::count(original.begin(), original.end(), '\n'),
            std::count(text.begin(), text.end(), '\n'))
      << "the copy keeps every line";
  const std::string head = name + ": verdict: ";
  ASSERT_EQ(0u, verdict.rfind(head, 0)) << verdict;
  const std::string said = verdict.substr(head.size());
  const bool parsed = morvac.err.find("syntax error") == std::string::npos &&
                      morvac.err.find("memory exhausted") == std::string::npos;
  if (said == "translates" || said == "translates once rewritten") {
    EXPECT_EQ(0, morvac.status) << morvac.err;
    EXPECT_TRUE(parsed) << morvac.err;
    EXPECT_EQ(said == "translates", text == original);
  } else if (said == "cannot be read by morvac") {
    EXPECT_EQ(0, morvac.status);
    EXPECT_FALSE(parsed) << morvac.err;
  } else {
    ASSERT_EQ(0u, said.rfind("stops at line ", 0)) << said;
    const std::string message = said.substr(said.find(": ") + 2);
    EXPECT_EQ(1, morvac.status);
    const std::size_t tail = std::min(morvac.err.size(), message.size() + 1);
    EXPECT_EQ(message + "\n", morvac.err.substr(morvac.err.size() - tail)) << morvac.err;
  }
}

class CheckerGolden : public testing::TestWithParam<std::string> {};

TEST_P(CheckerGolden, FindingsAndVerdictMatchMorvac) {
  const fs::path input(GetParam());
  const std::string stem = (input.parent_path() / input.stem()).string();
  const fs::path work = make_temp_directory();
  const fs::path copy = work / "copy.strl";
  ProcessOptions options;
  options.directory = input.parent_path().string();
  const std::string name = input.filename().string();
  // --verify: each rewritten copy runs against its program.
  std::vector<std::string> arguments{CHECK_BINARY, "--verify", "-o", copy.string()};
  bool has_modules = false;
  std::istringstream modules(read_file(stem + ".modules", &has_modules));
  for (std::string line; std::getline(modules, line);) {
    arguments.insert(arguments.end(), {"-m", line});
  }
  arguments.push_back(name);
  const ProcessResult run = run_process(arguments, options);
  const std::string status = std::to_string(run.status) + "\n";
  if (std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) {
    write_file(stem + ".expected", run.out);
    write_file(stem + ".status", status);
  }
  EXPECT_EQ(read_file(stem + ".expected"), run.out);
  EXPECT_EQ(read_file(stem + ".status"), status);
  EXPECT_EQ("", run.err);
  expect_morvac_follows(run.out, name, copy, read_file(input.string()));
  bool copy_kept = false;
  read_file(stem + ".copy", &copy_kept);
  if (copy_kept && std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) {
    write_file(stem + ".copy", read_file(copy.string()));
  }
  if (copy_kept) {
    EXPECT_EQ(read_file(stem + ".copy"), read_file(copy.string()));
  }
  // Where <case>.qrl is there, the Quarl that morvac writes from the copy.
  bool quarl_kept = false;
  read_file(stem + ".qrl", &quarl_kept);
  if (quarl_kept && std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) {
    write_file(stem + ".qrl", read_file((work / "copy.qrl").string()));
  }
  if (quarl_kept) {
    EXPECT_EQ(read_file(stem + ".qrl"), read_file((work / "copy.qrl").string()));
  }
  // The status agrees with the verdict, and a file that becomes Quarl holds no error.
  const bool translates = run.out.find(name + ": verdict: translates\n") != std::string::npos;
  const bool once_rewritten =
      run.out.find(name + ": verdict: translates once rewritten\n") != std::string::npos;
  EXPECT_EQ(translates ? 0 : 1, run.status);
  if (translates || once_rewritten) {
    EXPECT_EQ(std::string::npos, run.out.find(": error: "));
  }
  // Where <case>.sarif is there, the same findings as SARIF (the tool's version written @VERSION@).
  bool sarif_kept = false;
  const std::string sarif_expected = read_file(stem + ".sarif", &sarif_kept);
  if (sarif_kept) {
    std::string sarif = run_process({CHECK_BINARY, "--format=sarif", name}, options).out;
    // The version, the manual's URI and the working folder are written @VERSION@, @MANUAL@ and
    // @FOLDER@: they are the build's and the machine's.
    const auto replace = [&](const std::string& from, const std::string& to) {
      const std::size_t at = sarif.find(from);
      if (at != std::string::npos) sarif.replace(at, from.size(), to);
    };
    replace("\"version\": \"" MORVAC_VERSION "\"", "\"version\": \"@VERSION@\"");
    replace("\"file://" PROJECT_DIR "/docs/morvac-check.1\"", "\"@MANUAL@\"");
    replace("\"file://" + input.parent_path().string() + "/\"", "\"@FOLDER@\"");
    if (std::getenv("MORVAC_UPDATE_GOLDEN") != nullptr) write_file(stem + ".sarif", sarif);
    EXPECT_EQ(read_file(stem + ".sarif"), sarif);
  }
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckerGolden, testing::ValuesIn(golden_cases()), test_name);

}  // namespace
