// The examples that a header's comments write as calls, "name(arguments) is result".
#ifndef MORVAC_TESTS_STRINGPP_HEADER_EXAMPLES_H
#define MORVAC_TESTS_STRINGPP_HEADER_EXAMPLES_H

#include <string>
#include <vector>

struct HeaderExample {
  std::string function;
  std::vector<std::string> arguments;  // the literals' texts; numbers as written; no &outputs
  std::string result;                  // likewise
  bool numeric_result = false;         // the result is a number, to be compared by value
  std::string written;                 // the example as the header writes it
};

// Returns the examples of the "//" comments of the header at path, each read from a run of comment
// lines joined by blanks; sets written to how many ") is " the comments hold, which is the number
// of examples when each could be read.
std::vector<HeaderExample> header_examples(const std::string& path, std::size_t& written);

#endif  // MORVAC_TESTS_STRINGPP_HEADER_EXAMPLES_H
