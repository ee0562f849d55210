// Golden traces of morvac-sim (golden/), and its command line by table (commands.tsv): for each
// <case>.trace, morvac-sim runs in the folder on <case>.strl (or with the arguments of <case>.args)
// with the trace's inputs on standard input, one instant a line, and must write the trace's
// outputs, one line an instant, then <case>.err on standard error and end with the status in
// <case>.status (none: nothing and 0).
//
// A trace line is "INPUTS | OUTPUTS" (the inputs as they are written to standard input, their
// blanks kept, but those before the bar); "| !" marks the instant that writes no line, where
// the run must stop. Lines that start with '#' are comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "case_table.h"
#include "run_process.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> golden_cases() {
  std::vector<std::string> cases;
  for (const auto& entry : fs::directory_iterator(SIM_GOLDEN_DIR)) {
    if (entry.path().extension() == ".trace") cases.push_back(entry.path().stem().string());
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string trimmed_end(const std::string& text) {
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

class SimGolden : public testing::TestWithParam<std::string> {};

TEST_P(SimGolden, OutputsOfEachInstant) {
  const fs::path dir = SIM_GOLDEN_DIR;
  const std::string name = GetParam();
  std::string input, expected;
  const std::string trace = read_file((dir / (name + ".trace")).string());
  for (std::size_t start = 0; start < trace.size();) {
    const std::size_t end = trace.find('\n', start);
    const std::string line = trace.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const std::size_t bar = line.find('|');
    ASSERT_NE(bar, std::string::npos) << line;
    const std::size_t first_output = line.find_first_not_of(' ', bar + 1);
    const std::string outputs = first_output == std::string::npos ? "" : line.substr(first_output);
    input += trimmed_end(line.substr(0, bar)) + "\n";
    if (outputs == "!") break;
    expected += trimmed_end(outputs) + "\n";
  }
  bool has_args = false;
  std::string args = read_file((dir / (name + ".args")).string(), &has_args);
  if (!has_args) args = name + ".strl";
  args.erase(std::remove(args.begin(), args.end(), '\n'), args.end());
  const fs::path in = fs::path(make_temp_directory()) / "in";
  write_file(in.string(), input);
  ProcessOptions options;
  options.directory = dir.string();
  const ProcessResult r = run_process(
      {"/bin/sh", "-c", std::string("exec \"") + SIM_BINARY + "\" " + args + " < " + in.string()},
      options);
  const std::string status = read_file((dir / (name + ".status")).string());
  EXPECT_EQ(expected, r.out);
  EXPECT_EQ(read_file((dir / (name + ".err")).string()), r.err);
  EXPECT_EQ(status.empty() ? 0 : std::stoi(status), r.status);
}

// Runs morvac-sim with the arguments in folder, standard input from the file named (or empty);
// returns its status, its standard output (the version written @VERSION@) and standard error.
CaseFields run_sim(const std::string& folder, const CaseFields& args, const std::string& in) {
  std::string command = std::string("exec \"") + SIM_BINARY + "\"";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " < " + (in.empty() ? std::string("/dev/null") : in);
  ProcessOptions options;
  options.directory = folder;
  const ProcessResult r = run_process({"/bin/sh", "-c", command}, options);
  const std::string out =
      r.out == "morvac-sim " MORVAC_VERSION "\n" ? "morvac-sim @VERSION@\n" : r.out;
  return {std::to_string(r.status), out, r.err};
}

// The command line by table (commands.tsv): options, files, and programs of one line.
TEST(SimCommandLine, OptionsFilesAndStatuses) {
  const auto run = [](const CaseFields& args) { return run_sim(SIM_GOLDEN_DIR, args, ""); };
  const auto program = [](const CaseFields& args) {
    const fs::path work = make_temp_directory();
    write_file((work / "p.strl").string(), args[0]);
    write_file((work / "in").string(), args[1]);
    return run_sim(work.string(), {"p.strl"}, (work / "in").string());
  };
  expect_cases(TABLE_DIR "/commands.tsv", {{"run", run}, {"program", program}});
}

INSTANTIATE_TEST_SUITE_P(Cases, SimGolden, testing::ValuesIn(golden_cases()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
