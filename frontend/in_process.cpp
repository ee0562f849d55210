#include "in_process.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "exit_longjmp.h"
#include "lex.strl5.h"
#include "parser_memory.h"
#include "strl5_parser.h"
#include "text.h"

namespace {

// Everything the run touches lives here, outside the frames that an exit jumps over.
struct Run {
  std::istringstream input;
  std::ostringstream log;
  std::fstream output;
  std::fstream unused_log;
  class_strl5_parser* parser = nullptr;
  int parse_result = -1;
};

void parse(void* context) {
  auto* run = static_cast<Run*>(context);
  run->parse_result = run->parser->parse(run->output, run->unused_log, 0);
}

}  // namespace

InProcessRun translate_in_process(std::string_view source, const std::string& output_path) {
  Run run;
  run.input.str(std::string(source));
  run.output.open(output_path, std::ios::out | std::ios::trunc);
  std::ostringstream errors;
  std::streambuf* const standard_error = std::cerr.rdbuf(errors.rdbuf());

  class_strl5_parser parser;
  strl5FlexLexer scanner(&run.input, &run.log);
  parser.scanner = &scanner;
  run.parser = &parser;
  const int exit_status = run_catching_exit(parse, &run);

  std::cerr.rdbuf(standard_error);
  const std::size_t texts_left = live_text_count();
  // A run that ended inside the parse left its values and stacks behind.
  release_all_texts();
  release_parser_stacks();

  InProcessRun result;
  result.status = exit_status < 0 ? 0 : exit_status;
  result.parse_result = exit_status < 0 ? run.parse_result : -1;
  result.log = run.log.str();
  result.errors = errors.str();
  result.texts_left = texts_left;
  // Read before the stream is destroyed: only what was flushed would survive the process's end.
  std::ifstream written(output_path, std::ios::binary);
  std::ostringstream content;
  content << written.rdbuf();
  result.output = content.str();
  return result;
}
