// The floor of a translation run: only what morvac is required to do with its input and its
// streams. It reads <base>.strl one character at a time through a stream, copies every blank
// to <base>.log, and writes one trace item per token (here, per run of identifier characters or
// per other printable character) to standard error with one write each, the cheapest flushed
// write. No parsing, no output file.
//
// Usage: floor <base>
#include <unistd.h>

#include <fstream>
#include <string>

namespace {

bool is_word_char(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void trace(const char* item, std::size_t size) {
  if (::write(STDERR_FILENO, item, size) < 0) return;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::ifstream input(std::string(argv[1]) + ".strl");
  std::ofstream log(std::string(argv[1]) + ".log");
  if (!input) return 1;
  static const char kItem[] = "token IDS ";
  bool in_word = false;
  char c = 0;
  while (input.get(c)) {
    if (is_word_char(static_cast<unsigned char>(c))) {
      if (!in_word) trace(kItem, sizeof kItem - 1);
      in_word = true;
      continue;
    }
    in_word = false;
    if (c == ' ' || c == '\n' || c == '\t') {
      log.put(c);
    } else {
      trace(kItem, sizeof kItem - 1);
    }
  }
  return 0;
}
