// morvac: translates the Esterel v5 module(s) of <base>.strl into Quarl, in <base>.qrl.
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>

#include "lex.strl5.h"
#include "strl5_parser.h"
#include "user_message.h"

namespace {

const char kUsage[] =
    "\n\n   syntax:\n\n         morvac <filename>\n\n\n         or morvac -v\n\n"
    "         or morvac -h\n\n   options:\n\n      -h : this help\n\n      -v : version\n\n";

std::string help_message(const std::string& version) {
  return "        morvac: Esterel V5 to Quarl transcription \n"
         "        author K. Varnel and M. Colliot, version " +
         version + kUsage;
}

std::string missing_argument_message(const std::string& version) {
  return "missing input filename in parameter !\n\nsyntax :\n\n"
         "  morvac: Esterel V5 to Quarl transcription \n"
         "        author K. Varnel and M. Colliot, version " +
         version + kUsage;
}

// A run started with a standard stream closed would open its files on descriptors 0 to 2, and
// the token trace or a message would land in them: keep those descriptors taken.
void keep_standard_descriptors_taken() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1) continue;
    const int null_fd = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null_fd != -1 && null_fd != fd) close(null_fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  keep_standard_descriptors_taken();
  // A trace reader that went away must not kill the translation half-way.
  std::signal(SIGPIPE, SIG_IGN);

  const std::string version = std::string("3.4.3") + "-0";
  if (argc < 2) {
    show_user_message(missing_argument_message(version));
    std::exit(1);
  }
  const std::string argument = argv[1];
  if (argument == "-h") {
    show_user_message(help_message(version));
    std::exit(0);
  }
  if (argument == "-v") {
    show_user_message("morvac : version  " + version);
    std::exit(0);
  }

  const std::string input_name = argument + ".strl";
  std::fstream input(input_name, std::ios::in);
  std::fstream log(argument + ".log", std::ios::out);
  std::fstream output(argument + ".qrl", std::ios::out);
  if (input.fail()) {
    show_user_message("file " + input_name + " not found");
    std::exit(1);
  }

  {
    class_strl5_parser parser;
    // The scanner lives until the process ends.
    static strl5FlexLexer* const scanner = new strl5FlexLexer(&input, &log);
    parser.scanner = scanner;
    if (parser.parse(output, log, 0) != 0) show_user_message("parsing error in file " + input_name);
    input.close();
  }
  log.close();
  // The output file closes with the process; every line written to it was flushed.
  std::exit(0);
}
