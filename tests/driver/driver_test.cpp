// The command line of morvac and the environments it runs in, without a display: message boxes
// then write their text to standard output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"

namespace fs = std::filesystem;

namespace {

const std::string kUsage =
    "\n\n   syntax:\n\n         morvac <filename>\n\n\n         or morvac -v\n\n"
    "         or morvac -h\n\n   options:\n\n      -h : this help\n\n      -v : version\n\n";
const std::string kHelp =
    "        morvac: Esterel V5 to Quarl transcription \n"
    "        author K. Varnel and M. Colliot, version 3.4.3-0" +
    kUsage + "\n";
const std::string kMissingArgument =
    "missing input filename in parameter !\n\nsyntax :\n\n"
    "  morvac: Esterel V5 to Quarl transcription \n"
    "        author K. Varnel and M. Colliot, version 3.4.3-0" +
    kUsage + "\n";

const std::string kModule = "module M:\ninput S;\nawait S\nend module\n";
const std::string kTranslation = "module M :\nInput: S;\nwait S\n\nend\n\n";
const std::string kLog = " \n \n \n \n";
const std::string kTrace =
    "token module token IDS token : token input token IDS token ; token await token IDS "
    "token end token module ";

struct CommandCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> inputs;  // base names given the module above in <base>.strl
  std::string out;
  int status;
  std::vector<std::string> files_after;  // files that must exist afterwards, with their content
  std::vector<std::string> contents;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.name;
}

class Command : public testing::TestWithParam<CommandCase> {};

TEST_P(Command, AnswersAsExpected) {
  const CommandCase& c = GetParam();
  const std::string work = make_temp_directory();
  for (const std::string& base : c.inputs) write_file(work + "/" + base + ".strl", kModule);
  std::vector<std::string> argv = {MORVAC_BINARY};
  argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
  ProcessOptions options;
  options.directory = work;
  const ProcessResult run = run_process(argv, options);
  EXPECT_EQ(c.status, run.status);
  EXPECT_EQ(c.out, run.out);
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(work)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(c.inputs.size() + c.files_after.size(), files) << "no other file is made";
  for (std::size_t i = 0; i < c.files_after.size(); ++i) {
    bool exists = false;
    EXPECT_EQ(c.contents[i], read_file(work + "/" + c.files_after[i], &exists)) << c.files_after[i];
    EXPECT_TRUE(exists) << c.files_after[i];
  }
  fs::remove_all(work);
}

const CommandCase kCommands[] = {
    {"NoArgument", {}, {}, kMissingArgument, 1, {}, {}},
    {"Help", {"-h"}, {}, kHelp, 0, {}, {}},
    {"HelpIgnoresTheRest", {"-h", "anything"}, {}, kHelp, 0, {}, {}},
    {"Version", {"-v"}, {}, "morvac : version  3.4.3-0\n", 0, {}, {}},
    {"DashHx", {"-hx"}, {}, "file -hx.strl not found\n", 1, {"-hx.log", "-hx.qrl"}, {"", ""}},
    {"DashVx", {"-vx"}, {}, "file -vx.strl not found\n", 1, {"-vx.log", "-vx.qrl"}, {"", ""}},
    {"DashXIsABaseName", {"-x"}, {}, "file -x.strl not found\n", 1, {"-x.log", "-x.qrl"}, {"", ""}},
    {"EmptyBaseName", {""}, {}, "file .strl not found\n", 1, {".log", ".qrl"}, {"", ""}},
    {"PercentInANameIsLiteral",
     {"%s%n\\t"},
     {},
     "file %s%n\\t.strl not found\n",
     1,
     {"%s%n\\t.log", "%s%n\\t.qrl"},
     {"", ""}},
    {"ExtensionIsKept",
     {"m.strl"},
     {"m.strl"},
     "",
     0,
     {"m.strl.log", "m.strl.qrl"},
     {kLog, kTranslation}},
    {"OnlyTheFirstArgumentCounts",
     {"m", "-h", "other"},
     {"m"},
     "",
     0,
     {"m.log", "m.qrl"},
     {kLog, kTranslation}},
};
INSTANTIATE_TEST_SUITE_P(Cases, Command, testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

// Environments: each runs the module above as m.strl in a fresh directory.
class Environment : public testing::Test {
 protected:
  void SetUp() override {
    work_ = make_temp_directory();
    write_file(work_ + "/m.strl", kModule);
    options_.directory = work_;
  }
  void TearDown() override { fs::remove_all(work_); }
  ProcessResult run() { return run_process({MORVAC_BINARY, "m"}, options_); }
  std::string file(const std::string& name) { return read_file(work_ + "/" + name); }

  std::string work_;
  ProcessOptions options_;
};

TEST_F(Environment, ClosedStandardStreamsNeverLandInTheFiles) {
  for (const std::vector<int>& closed : std::vector<std::vector<int>>{{0}, {1}, {2}, {0, 1, 2}}) {
    options_.closed_streams = closed;
    const ProcessResult result = run();
    EXPECT_EQ(0, result.status);
    EXPECT_EQ(kTranslation, file("m.qrl")) << "closed: " << closed.size();
    EXPECT_EQ(kLog, file("m.log"));
    EXPECT_EQ(kModule, file("m.strl"));
  }
}

TEST_F(Environment, ADisplayThatDoesNotOpenIsLikeNone) {
  options_.display = ":4242";
  const ProcessResult result = run_process({MORVAC_BINARY, "-v"}, options_);
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("morvac : version  3.4.3-0\n", result.out);
}

TEST_F(Environment, AnInputThatIsADirectoryIsAFatalScannerError) {
  fs::create_directory(work_ + "/d.strl");
  const ProcessResult result = run_process({MORVAC_BINARY, "d"}, options_);
  EXPECT_EQ(2, result.status);
  EXPECT_EQ("input in flex scanner failed\n", result.err);
  EXPECT_EQ("", file("d.qrl"));
}

TEST_F(Environment, AnOutputThatCannotBeCreatedIsNotFatal) {
  // A directory in the way fails the open even for root.
  fs::create_directory(work_ + "/m.qrl");
  fs::create_directory(work_ + "/m.log");
  const ProcessResult result = run();
  EXPECT_EQ(0, result.status);
  EXPECT_EQ(kTrace, result.err);
  EXPECT_TRUE(fs::is_directory(work_ + "/m.qrl"));
}

TEST_F(Environment, AFullFileSystemIsNotFatal) {
  fs::create_symlink("/dev/full", work_ + "/m.qrl");
  fs::create_symlink("/dev/full", work_ + "/m.log");
  const ProcessResult result = run();
  EXPECT_EQ(0, result.status);
  EXPECT_EQ(kTrace, result.err);
}

TEST_F(Environment, AStandardErrorPipeWithoutReaderDoesNotStopTheTranslation) {
  int pipe_ends[2];
  ASSERT_EQ(0, pipe(pipe_ends));
  close(pipe_ends[0]);
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipe_ends[1], 2);
    if (chdir(work_.c_str()) != 0) _exit(126);
    unsetenv("DISPLAY");
    execl(MORVAC_BINARY, MORVAC_BINARY, "m", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipe_ends[1]);
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ(kTranslation, file("m.qrl"));
}

}  // namespace
