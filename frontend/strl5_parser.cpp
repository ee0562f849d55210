#include "strl5_parser.h"

#include <FlexLexer.h>

#include <iostream>

class_strl5_parser* pstrl5_parser = nullptr;

class_strl5_parser::class_strl5_parser() {
  pstrl5_parser = this;
}

int class_strl5_parser::parse(std::fstream& output_stream, std::fstream& /*log*/, int /*unused*/) {
  output = &output_stream;
  return strl5parse();
}

int strl5lex() {
  return pstrl5_parser->scanner->yylex();
}

void strl5error(const char* message) {
  std::cerr << message << std::endl;
}
