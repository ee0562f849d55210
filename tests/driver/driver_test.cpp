// The command line of morvac and the environments it runs in, without a display (message boxes
// then write their text to standard output): the cases of commands.tsv.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "case_table.h"
#include "run_process.h"

namespace fs = std::filesystem;

namespace {

// Runs morvac with the arguments a[1]... in a fresh directory prepared as a[0] says; returns its
// status, its output, its errors and the directory's entries afterwards.
CaseFields run(const CaseFields& a) {
  const std::string work = make_temp_directory();
  ProcessOptions options;
  options.directory = work;
  std::istringstream start(a[0]);
  for (std::string item; start >> item;) {
    const std::string::size_type at = item.find('@');
    if (item == "|2") {
      options.err_to_closed_pipe = true;
    } else if (item[0] == '-') {
      options.closed_streams.push_back(std::stoi(item.substr(1)));
    } else if (item.rfind("DISPLAY=", 0) == 0) {
      options.display = item.substr(8);
    } else if (item.back() == '/') {
      fs::create_directory(work + "/" + item);
    } else if (at != std::string::npos) {
      fs::create_symlink(item.substr(at + 1), work + "/" + item.substr(0, at));
    } else {
      write_file(work + "/" + item, "module M:\ninput S;\nawait S\nend module\n");
    }
  }
  CaseFields argv = {MORVAC_BINARY};
  argv.insert(argv.end(), a.begin() + 1, a.end());
  const ProcessResult result = run_process(argv, options);
  CaseFields entries;
  for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
    const std::string name = entry.path().filename().string();
    entries.push_back(entry.is_symlink()     ? name + "@" + fs::read_symlink(entry).string()
                      : entry.is_directory() ? name + "/"
                                             : name + "=" + read_file(entry.path().string()));
  }
  std::sort(entries.begin(), entries.end());
  fs::remove_all(work);
  entries.insert(entries.begin(), {std::to_string(result.status), result.out, result.err});
  return entries;
}

TEST(Morvac, AnswersAsTheTableSays) {
  expect_cases(DRIVER_CASES_DIR "/commands.tsv", {{"run", run}});
}

}  // namespace
