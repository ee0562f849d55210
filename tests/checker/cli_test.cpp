// The command line of morvac-check: options, several files and every exit status by table
// (commands.tsv), standard input, the copy, and the URIs in SARIF. Then the refusal table against
// the golden files: every message of morvac's table is met by some golden case.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "case_table.h"
#include "refusal.h"
#include "run_process.h"

namespace fs = std::filesystem;

namespace {

const std::string kGolden = CHECKER_GOLDEN_DIR;

// Runs morvac-check with args in the golden folder; returns its status, its standard output (the
// version written @VERSION@; only the lines that are not findings, for verdicts_only) and its
// standard error.
CaseFields run_check(const CaseFields& args, bool verdicts_only) {
  std::vector<std::string> argv = {CHECK_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  ProcessOptions options;
  options.directory = kGolden;
  const ProcessResult run = run_process(argv, options);
  std::string out =
      run.out == "morvac-check " MORVAC_VERSION "\n" ? "morvac-check @VERSION@\n" : run.out;
  if (verdicts_only) {
    static const std::regex finding(":[0-9]+:[0-9]+: ");
    std::istringstream lines(run.out);
    out.clear();
    for (std::string line; std::getline(lines, line);) {
      if (!std::regex_search(line, finding)) out += line + "\n";
    }
  }
  return {std::to_string(run.status), out, run.err};
}

TEST(CheckerCommandLine, OptionsFilesAndStatuses) {
  expect_cases(TABLE_DIR "/commands.tsv",
               {{"run", [](const CaseFields& args) { return run_check(args, false); }},
                {"verdicts", [](const CaseFields& args) { return run_check(args, true); }}});
}

// Standard input, its copy, and its name in SARIF. Then every byte that a file name can hold, in
// the URI of the file in SARIF: letters, digits, `-._~` and the slash as they are, every other
// byte as %XX.
TEST(CheckerCommandLine, StandardInputAndSarifUriOfEveryByte) {
  const fs::path work = make_temp_directory();
  write_file((work / "in.strl").string(),
             "module M: % c\nvar x:=1 : t in nothing end\nend module\n");
  ProcessOptions options;
  options.directory = work.string();
  const ProcessResult run = run_process(
      {"/bin/sh", "-c", std::string(CHECK_BINARY) + " -o out.strl - < in.strl"}, options);
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.out.find("-:2:6: warning: `:=`")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\n-: verdict: stops at line 2, column 1: VAR not"))
      << run.out;
  EXPECT_EQ("module M:    \nvar x assign 1 : t in nothing end\nend module\n",
            read_file((work / "out.strl").string()));
  const ProcessResult sarif = run_process(
      {"/bin/sh", "-c", std::string(CHECK_BINARY) + " --format=sarif - < in.strl"}, options);
  // Standard input is no file of the working folder: its location has no base.
  EXPECT_NE(std::string::npos, sarif.out.find("\"artifactLocation\": {\"uri\": \"stdin\"}"))
      << sarif.out;

  fs::create_directory(work / "d");
  std::string names[2] = {"", "d/"};
  for (int c = 1; c < 256; ++c) {
    if (c != '/') names[c / 128] += static_cast<char>(c);
  }
  for (const std::string& name : names) write_file((work / name).string(), "");
  const ProcessResult uris =
      run_process({CHECK_BINARY, "--format=sarif", names[0], names[1]}, options);
  for (const std::string& name : names) {
    std::string uri;
    for (const char c : name) {
      const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0 ||
                         std::string_view("-._~/").find(c) != std::string_view::npos;
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
      uri += plain ? std::string(1, c) : escape;
    }
    EXPECT_NE(std::string::npos, uris.out.find("\"uri\": \"" + uri + "\"")) << uri;
  }
  fs::remove_all(work);
}

// Every message of morvac's refusal table, under the rule id of its kind, in some golden case.
TEST(CheckerGoldenCoverage, EveryRefusalMessageIsMet) {
  std::string expected;
  for (const auto& entry : fs::recursive_directory_iterator(kGolden)) {
    if (entry.path().extension() == ".expected") expected += read_file(entry.path().string());
  }
  for (int i = static_cast<int>(Refusal::Functions); i <= static_cast<int>(Refusal::Unknown); ++i) {
    const auto construct = static_cast<Refusal>(i);
    // morvac never reads `?`: it has no value of a signal to refuse.
    if (construct == Refusal::SignalValue || construct == Refusal::PreSignalValue) continue;
    const RefusalKind kind = refusal_kind(construct);
    const char* rule = kind == RefusalKind::Skip          ? "skipped-declaration"
                       : kind == RefusalKind::WithoutText ? "without-quarl-text"
                                                          : "refused-construct";
    const std::string line = std::string(refusal_message(construct)) + " [" + rule + "]\n";
    EXPECT_NE(std::string::npos, expected.find(line)) << line;
  }
}

}  // namespace
