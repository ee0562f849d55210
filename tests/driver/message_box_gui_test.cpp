// With a display, morvac's messages are real modal boxes: the program waits until the user
// closes the box, prints nothing, and then ends with the status of the message. A message box
// module that cannot be loaded is like a display that cannot be opened.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>

#include "gui_helpers.h"
#include "gui_test.h"
#include "run_process.h"

namespace {

const std::string kText = "100% \\n %s %d\nsecond line";

TEST(MessageBoxWithDisplay, ShowsTheTextAsWritten) {
  REQUIRE_DISPLAY();
  GuiScript script;
  script.then([] { return labelled(kText) != nullptr && press("Close"); });
  script.start();
  fl_show_Smessages(kText);
  EXPECT_TRUE(script.done());
}

std::string command_output(const std::string& command) {
  ProcessOptions with_display;
  with_display.keep_display = true;
  return run_process({"/bin/sh", "-c", command}, with_display).out;
}

// Returns the exit status of child, or -1 if it has not ended within the timeout.
int wait_for_exit(pid_t child, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

TEST(MessageBox, WaitsForTheUserThenEndsWithItsStatus) {
  REQUIRE_DISPLAY();
  // The last shows its box once the translation has begun: m.strl holds a syntax error.
  for (const auto& [argument, expected] :
       {std::pair{"-v", 0}, {"-h", 0}, {"no_such_input", 1}, {"m", 0}}) {
    SCOPED_TRACE(argument);
    const std::string work = make_temp_directory();
    write_file(work + "/m.strl", "module M:\nemit\nend module\n");
    const std::string out_path = work + "/stdout";
    const pid_t child = fork();
    if (child == 0) {
      if (!freopen(out_path.c_str(), "w", stdout) || !freopen("/dev/null", "w", stderr) ||
          chdir(work.c_str()) != 0)
        _exit(126);
      execl(MORVAC_BINARY, MORVAC_BINARY, argument, static_cast<char*>(nullptr));
      _exit(127);
    }
    const std::string window =
        command_output("timeout 10 xdotool search --sync --onlyvisible --pid " +
                       std::to_string(child) + " | head -n 1");
    ASSERT_FALSE(window.empty()) << "no message box appeared";
    EXPECT_EQ(-1, wait_for_exit(child, std::chrono::milliseconds(300))) << "must wait for the user";

    command_output("xdotool windowfocus --sync " + window.substr(0, window.size() - 1) +
                   " key Return 2>/dev/null");
    const int status = wait_for_exit(child, std::chrono::seconds(10));
    if (status == -1) kill(child, SIGKILL);
    EXPECT_EQ(expected, status);
    EXPECT_EQ("", read_file(out_path)) << "the message goes to the box, not to standard output";
    std::filesystem::remove_all(work);
  }
}

// A copy of morvac finds no module beside it, then a module without the entry point.
TEST(MessageBox, WithoutItsModuleTheTextGoesToStandardOutput) {
  REQUIRE_DISPLAY();
  namespace fs = std::filesystem;
  const fs::path program = fs::path(make_temp_directory()) / "bin" / "morvac";
  fs::create_directories(program.parent_path());
  fs::copy_file(MORVAC_BINARY, program);
  const fs::path module = program.parent_path() / MORVAC_MESSAGE_BOX_MODULE;
  ProcessOptions with_display;
  with_display.keep_display = true;
  for (const char* module_source : {"", MODULE_WITHOUT_ENTRY}) {
    SCOPED_TRACE(module_source);
    if (*module_source != '\0') {
      fs::create_directories(module.parent_path());
      fs::copy_file(module_source, module);
    }
    const ProcessResult result = run_process({program.string(), "-v"}, with_display);
    EXPECT_EQ(0, result.status);
    EXPECT_EQ("morvac : version  3.4.3-0\n", result.out);
  }
  fs::remove_all(program.parent_path().parent_path());
}

}  // namespace
