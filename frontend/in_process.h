// One whole translation run inside the calling process, for harnesses (unit tests, fuzzing):
// what the program does for one input, with the run's exits turned into returns.
#ifndef MORVAC_FRONTEND_IN_PROCESS_H
#define MORVAC_FRONTEND_IN_PROCESS_H

#include <cstddef>
#include <string>
#include <string_view>

struct InProcessRun {
  int status;              // what the program's exit status would be: 0, 1 (stop) or 2 (fatal)
  int parse_result;        // strl5parse's result, or -1 when the run ended inside the parse
  std::string output;      // the output file as the process would leave it (flushed lines only)
  std::string log;         // the echo of the scanner
  std::string errors;      // standard error: trace, messages
  std::size_t texts_left;  // text values still alive when the run ended (none after a success)
};

// Translates source. output_path names a scratch file for the output stream (the parser writes
// to a file stream); it is overwritten.
InProcessRun translate_in_process(std::string_view source, const std::string& output_path);

#endif  // MORVAC_FRONTEND_IN_PROCESS_H
