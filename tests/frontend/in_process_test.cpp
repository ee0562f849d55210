// The in-process translation that fuzzing relies on agrees with the program on every golden
// case, and a completed translation leaves no text value behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "in_process.h"
#include "run_process.h"

namespace fs = std::filesystem;

namespace {

TEST(InProcess, AgreesWithTheGoldenFilesAndLeavesNoTextBehind) {
  const std::string scratch = make_temp_directory() + "/out.qrl";
  std::vector<std::string> inputs;
  for (const auto& entry : fs::recursive_directory_iterator(GOLDEN_DIR)) {
    if (entry.path().extension() == ".strl") inputs.push_back(entry.path().string());
  }
  std::sort(inputs.begin(), inputs.end());
  ASSERT_FALSE(inputs.empty());
  for (const std::string& input : inputs) {
    const std::string base = input.substr(0, input.size() - 5);
    const InProcessRun run = translate_in_process(read_file(input), scratch);
    EXPECT_EQ(read_file(base + ".status"), std::to_string(run.status) + "\n") << input;
    EXPECT_EQ(read_file(base + ".qrl"), run.output) << input;
    EXPECT_EQ(read_file(base + ".err"), run.errors) << input;
    bool has_log = false;
    const std::string log = read_file(base + ".log", &has_log);
    EXPECT_EQ(has_log ? log : run.log, run.log) << input;
    const bool completed = run.status == 0 && run.parse_result == 0;
    EXPECT_EQ(0u, completed ? run.texts_left : 0u) << input;
  }
}

}  // namespace
