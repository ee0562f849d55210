// The command line of morvac-check, by table: options, several files, standard input, the copy,
// and every exit status. Then the refusal table against the golden files: every message of
// morvac's table is met by some golden case.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "check_file.h"
#include "refusal.h"
#include "run_process.h"
#include "text_output.h"

namespace fs = std::filesystem;

namespace {

const std::string kGolden = CHECKER_GOLDEN_DIR;

struct CliCase {
  std::vector<std::string> args;
  int status;
  std::string out;  // expected standard output, exactly ("*" followed by text: it contains it)
  std::string err;  // expected standard error, the same way
};

void expect_text(const std::string& wanted, const std::string& actual, const std::string& what) {
  if (!wanted.empty() && wanted[0] == '*') {
    EXPECT_NE(std::string::npos, actual.find(wanted.substr(1))) << what << ": " << actual;
  } else {
    EXPECT_EQ(wanted, actual) << what;
  }
}

TEST(CheckerCommandLine, OptionsFilesAndStatuses) {
  const std::string usage = "usage: morvac-check [--format=text|sarif] [-o OUT] FILE...\n";
  const std::string help = read_file(kGolden + "/help.txt");
  const std::string translates = "verdict/translates.strl: translates\n";
  const CliCase cases[] = {
      {{"--help"}, 0, help, ""},
      {{"-h"}, 0, help, ""},
      {{"--version"}, 0, "morvac-check " MORVAC_VERSION "\n", ""},
      {{}, 2, "", "morvac-check: no file to check\n" + usage},
      {{"--frobnicate", "a.strl"}, 2, "", "morvac-check: unknown option --frobnicate\n" + usage},
      {{"-o"}, 2, "", "morvac-check: option -o needs a file name\n" + usage},
      {{"-o", "x", "verdict/stops.strl", "verdict/translates.strl"},
       2,
       "",
       "morvac-check: -o takes one input file only\n" + usage},
      {{"no/such.strl"}, 2, "", "morvac-check: cannot open no/such.strl\n"},
      {{"verdict/translates.strl"}, 0, "verdict/translates.strl: translates\n", ""},
      {{"verdict/translates_once_rewritten.strl"}, 1, "*: translates once rewritten\n", ""},
      {{"syntax/stray_characters.strl"}, 1, "*: translates\n", ""},
      {{"verdict/translates.strl", "verdict/initial_value.strl", "verdict/first_stop.strl",
        "verdict/stops.strl", "verdict/cannot_read.strl", "verdict/cannot_read.strl",
        "verdict/translates_once_rewritten.strl", "verdict/refusal_before_error.strl",
        "verdict/cannot_read.strl", "verdict/cannot_read.strl"},
       1,
       "*10 files: 1 translate, 2 translate once rewritten, 3 stop, 4 cannot be read by morvac\n",
       ""},
      {{"verdict/translates.strl", "missing.strl"},
       2,
       "verdict/translates.strl: translates\n"
       "1 file: 1 translate, 0 translate once rewritten, 0 stop, 0 cannot be read by morvac\n",
       "morvac-check: cannot open missing.strl\n"},
      {{"missing.strl", "verdict/stops.strl"}, 2, "*: stops at", "*cannot open missing.strl\n"},
      {{"--", "verdict/translates.strl"}, 0, translates, ""},
      {{"--", "--help"}, 2, "", "morvac-check: cannot open --help\n"},
      {{"--format=sarif", "--format=text", "verdict/translates.strl"}, 0, translates, ""},
      {{"-o/dev/null", "verdict/translates.strl"}, 0, translates, ""},
      {{"-o", "no/such/copy.strl", "verdict/translates.strl"},
       2,
       translates,
       "morvac-check: cannot write no/such/copy.strl\n"},
  };
  for (const CliCase& c : cases) {
    std::vector<std::string> argv = {CHECK_BINARY};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    ProcessOptions options;
    options.directory = kGolden;
    const ProcessResult run = run_process(argv, options);
    const std::string what = c.args.empty() ? "(no arguments)" : c.args[0];
    EXPECT_EQ(c.status, run.status) << what;
    expect_text(c.out, run.out, what + " standard output");
    expect_text(c.err, run.err, what + " standard error");
  }
}

TEST(CheckerCommandLine, StandardInputAndTheCopy) {
  const fs::path work = make_temp_directory();
  write_file((work / "in.strl").string(),
             "module M: % c\nvar x:=1 : t in nothing end\nend module\n");
  ProcessOptions options;
  options.directory = work.string();
  const ProcessResult run = run_process(
      {"/bin/sh", "-c", std::string(CHECK_BINARY) + " -o out.strl - < in.strl"}, options);
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.out.find("-:2:6: warning: `:=`")) << run.out;
  EXPECT_NE(std::string::npos, run.out.find("\n-: stops at 2:1: VAR not implemented")) << run.out;
  EXPECT_EQ("module M:    \nvar x assign 1 : t in nothing end\nend module\n",
            read_file((work / "out.strl").string()));
  const ProcessResult sarif = run_process(
      {"/bin/sh", "-c", std::string(CHECK_BINARY) + " --format=sarif - < in.strl"}, options);
  EXPECT_NE(std::string::npos, sarif.out.find("\"uri\": \"stdin\"")) << sarif.out;
  fs::remove_all(work);
}

// Every byte that a file name can hold, in the URI of the file in SARIF: letters, digits, `-._~`
// and the slash as they are, every other byte as %XX.
TEST(CheckerCommandLine, SarifUriOfEveryByte) {
  const fs::path work = make_temp_directory();
  fs::create_directory(work / "d");
  std::string names[2] = {"", "d/"};
  for (int c = 1; c < 256; ++c) {
    if (c != '/') names[c / 128] += static_cast<char>(c);
  }
  ProcessOptions options;
  options.directory = work.string();
  for (const std::string& name : names) write_file((work / name).string(), "");
  const ProcessResult run =
      run_process({CHECK_BINARY, "--format=sarif", names[0], names[1]}, options);
  for (const std::string& name : names) {
    std::string uri;
    for (const char c : name) {
      const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0;
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
      uri += plain || std::string_view("-._~/").find(c) != std::string_view::npos
                 ? std::string(1, c)
                 : escape;
    }
    EXPECT_NE(std::string::npos, run.out.find("\"uri\": \"" + uri + "\"")) << uri;
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
    const RefusalKind kind = refusal_kind(construct);
    const char* rule = kind == RefusalKind::Skip          ? "skipped-declaration"
                       : kind == RefusalKind::WithoutText ? "without-quarl-text"
                                                          : "refused-construct";
    const std::string line = std::string(refusal_message(construct)) + " [" + rule + "]\n";
    EXPECT_NE(std::string::npos, expected.find(line)) << line;
  }
}

}  // namespace
