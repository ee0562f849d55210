#include "run_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string temp_file_name(const char* tag) {
  std::string name = std::string(P_tmpdir) + "/morvac-" + tag + "-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd != -1) close(fd);
  return name;
}

}  // namespace

ProcessResult run_process(const std::vector<std::string>& argv, const ProcessOptions& options) {
  const std::string out_name = temp_file_name("out");
  const std::string err_name = temp_file_name("err");
  const pid_t child = fork();
  if (child == 0) {
    const int out_fd = open(out_name.c_str(), O_WRONLY | O_TRUNC);
    const int err_fd = open(err_name.c_str(), O_WRONLY | O_TRUNC);
    const int in_fd = open("/dev/null", O_RDONLY);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    close(in_fd);
    close(out_fd);
    close(err_fd);
    int ends[2];
    if (options.err_to_closed_pipe && pipe(ends) == 0) {
      close(ends[0]);
      dup2(ends[1], 2);
      close(ends[1]);
    }
    for (int fd : options.closed_streams) close(fd);
    if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) _exit(126);
    if (!options.display.empty()) {
      setenv("DISPLAY", options.display.c_str(), 1);
    } else if (!options.keep_display) {
      unsetenv("DISPLAY");
    }
    for (const std::string& entry : options.environment) putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  ProcessResult result;
  int wait_status = 0;
  if (child > 0 && waitpid(child, &wait_status, 0) == child) {
    if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) result.status = 128 + WTERMSIG(wait_status);
  }
  result.out = read_file(out_name);
  result.err = read_file(err_name);
  std::remove(out_name.c_str());
  std::remove(err_name.c_str());
  return result;
}

std::string read_file(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(in);
  if (!in) return "";
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string make_temp_directory() {
  std::string name = std::string(P_tmpdir) + "/morvac-test-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) std::abort();
  return name;
}
