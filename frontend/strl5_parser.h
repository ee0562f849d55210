// The parser object of one translation run, and the bridges between the generated parser, the
// scanner and the output file.
#ifndef MORVAC_FRONTEND_STRL5_PARSER_H
#define MORVAC_FRONTEND_STRL5_PARSER_H

#include <fstream>

class FlexLexer;

class class_strl5_parser {
 public:
  // Makes this object the one that the parser and the semantic actions reach.
  class_strl5_parser();
  // Leaves the scanner alone: it lives until the process ends.
  ~class_strl5_parser() = default;

  class_strl5_parser(const class_strl5_parser&) = delete;
  class_strl5_parser& operator=(const class_strl5_parser&) = delete;

  // Runs the parser once over the scanner's input, writing the translation to output; returns 0
  // when the input was accepted, 1 after a syntax error, 2 when the parser ran out of stack.
  // The log stream and the integer are not used.
  int parse(std::fstream& output, std::fstream& log, int);

  FlexLexer* scanner = nullptr;
  std::fstream* output = nullptr;
};

// The parser object of the run.
extern class_strl5_parser* pstrl5_parser;

// Returns the next token code of the run's scanner (0 at end of input).
int strl5lex();

// Reports a syntax error: the message and a line end on standard error.
void strl5error(const char* message);

// Returns the parser's result (see class_strl5_parser::parse).
int strl5parse();

#endif  // MORVAC_FRONTEND_STRL5_PARSER_H
