// morvac maps the GUI libraries only to show a message: a run that shows none maps the C and
// C++ runtimes alone. What a run maps is read from the dynamic loader's own report
// (LD_DEBUG=files), without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "run_process.h"

namespace {

struct MorvacRun {
  std::vector<std::string> arguments;
  std::string input;  // m.strl: a file holding this text, a folder for "/", none for ""
  int status;
};

// Returns the file names of the shared objects that the dynamic loader mapped for the run.
std::set<std::string> mapped_objects(const MorvacRun& run) {
  const std::string work = make_temp_directory();
  if (run.input == "/") {
    std::filesystem::create_directory(work + "/m.strl");
  } else if (!run.input.empty()) {
    write_file(work + "/m.strl", run.input);
  }
  ProcessOptions options;
  options.directory = work;
  options.environment = {"LD_DEBUG=files"};
  std::vector<std::string> argv = {MORVAC_BINARY};
  argv.insert(argv.end(), run.arguments.begin(), run.arguments.end());
  const ProcessResult result = run_process(argv, options);
  EXPECT_EQ(run.status, result.status);
  std::filesystem::remove_all(work);

  static const std::regex kMapped(R"(^ *[0-9]+:\s+file=(.*/)?([^/ ]+) \[[0-9]+\];\s+)"
                                  R"((needed|dynamically loaded) by )");
  std::set<std::string> names;
  std::istringstream lines(result.err);
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, kMapped)) names.insert(match[2]);
  }
  return names;
}

// The C and C++ runtimes, and the sanitizers' runtimes in a sanitized build.
bool is_runtime(const std::string& name) {
  static const std::regex kRuntime(R"(lib(c|m|gcc_s|stdc\+\+|asan|ubsan)\.so\.[0-9]+)");
  return std::regex_match(name, kRuntime);
}

TEST(LibraryLoading, ARunWithoutMessageMapsTheRuntimesAlone) {
  const MorvacRun runs[] = {
      {{"m"}, "module M:\ninput S;\nawait S\nend module\n", 0},        // translated
      {{"m"}, "module M:\ninputoutput S;\nnothing\nend module\n", 1},  // stopped
      {{"m"}, "/", 2},                                                 // fatal scanner error
  };
  for (const MorvacRun& run : runs) {
    SCOPED_TRACE(run.input);
    const std::set<std::string> mapped = mapped_objects(run);
    EXPECT_EQ(1u, mapped.count("libc.so.6")) << "the loader's report was not read";
    for (const std::string& name : mapped) EXPECT_TRUE(is_runtime(name)) << name;
  }
}

TEST(LibraryLoading, AMessageMapsTheToolkit) {
  const MorvacRun runs[] = {
      {{"-v"}, "", 0},
      {{"m"}, "", 1},                               // input not found
      {{"m"}, "module M:\nemit\nend module\n", 0},  // parsing error, after a translation began
  };
  for (const MorvacRun& run : runs) {
    SCOPED_TRACE(run.arguments[0] + " " + run.input);
    const std::set<std::string> mapped = mapped_objects(run);
    for (const char* name : {"message-box.so", "libfltk.so.1.3", "libX11.so.6"})
      EXPECT_EQ(1u, mapped.count(name)) << name;
  }
}

}  // namespace
