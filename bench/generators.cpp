#include "generators.h"

#include <cstdint>

namespace {

std::string module_of(const std::string& body) {
  return "module BENCH :\ninput I;\noutput S;\n" + body + "\nend module\n";
}

std::string repeated(std::size_t n, const std::string& item, const std::string& separator) {
  std::string body;
  body.reserve(n * (item.size() + separator.size()));
  for (std::size_t i = 0; i < n; ++i) {
    if (i != 0) body += separator;
    body += item;
  }
  return body;
}

// A small linear congruential generator: the same program on every machine.
class Dice {
 public:
  unsigned roll(unsigned faces) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>(state_ >> 33) % faces;
  }

 private:
  std::uint64_t state_ = 42;
};

class MixedWriter {
 public:
  explicit MixedWriter(std::string& out) : out_(out) {}

  void module(int index) {
    out_ += "module UNIT" + std::to_string(index) + " :\n";
    out_ += "type TIME, SPEED;\n";
    out_ += "input ";
    for (int s = 0; s < kSignals; ++s) out_ += (s ? ", I" : "I") + std::to_string(s);
    out_ += ";\noutput ";
    for (int s = 0; s < kSignals; ++s) out_ += (s ? ", O" : "O") + std::to_string(s);
    out_ += ";\nconstant LIMIT : integer;\n";
    for (int i = 0; i < 12; ++i) {
      if (i != 0) out_ += ";\n";
      statement(0);
    }
    out_ += "\nend module\n\n";
  }

 private:
  static constexpr int kSignals = 8;

  std::string in() { return "I" + std::to_string(dice_.roll(kSignals)); }
  std::string out() { return "O" + std::to_string(dice_.roll(kSignals)); }
  void indent(int depth) { out_.append(2 * static_cast<std::size_t>(depth) + 2, ' '); }

  void statement(int depth) {
    indent(depth);
    const unsigned kind = depth >= 5 ? dice_.roll(4) : dice_.roll(10);
    switch (kind) {
      case 0:
        out_ += "emit " + out();
        break;
      case 1:
        out_ += "await " + in();
        break;
      case 2:
        out_ += "sustain " + out() + "(" + in() + ")";
        break;
      case 3:
        out_ += "pause";
        break;
      case 4:
        out_ += "loop\n";
        block(depth + 1, 3);
        indent(depth);
        out_ += dice_.roll(2) ? "end loop" : "each " + in();
        break;
      case 5:
        out_ += "present " + in() + " and not " + in() + " then\n";
        block(depth + 1, 2);
        indent(depth);
        out_ += "else\n";
        block(depth + 1, 2);
        indent(depth);
        out_ += "end present";
        break;
      case 6:
        out_ += dice_.roll(2) ? "abort\n" : "weak abort\n";
        block(depth + 1, 3);
        indent(depth);
        out_ += "when " + in();
        break;
      case 7:
        out_ += "[\n";
        block(depth + 1, 2);
        out_ += "\n";
        indent(depth);
        out_ += "||\n";
        block(depth + 1, 2);
        out_ += "\n";
        indent(depth);
        out_ += "]";
        break;
      case 8:
        out_ += "emit " + out() + "; await " + in() + "; emit " + out();
        break;
      default:
        out_ += "sustain " + out();
        break;
    }
  }

  void block(int depth, unsigned most) {
    const unsigned count = 1 + dice_.roll(most);
    for (unsigned i = 0; i < count; ++i) {
      if (i != 0) out_ += ";\n";
      statement(depth);
    }
    out_ += "\n";
  }

  std::string& out_;
  Dice dice_;
};

}  // namespace

std::string long_sequence(std::size_t n) {
  return module_of(repeated(n, "emit S", ";\n"));
}

std::string wide_parallel(std::size_t n) {
  return module_of(repeated(n, "emit S", "\n||\n"));
}

std::string mixed_program(std::size_t bytes) {
  std::string program;
  program.reserve(bytes + 65536);
  MixedWriter writer(program);
  for (int index = 0; program.size() < bytes; ++index) writer.module(index);
  return program;
}

std::string nested_brackets(std::size_t n) {
  // 989 pairs: with a sequence inside, the deepest that the parser's 1000 entries take.
  return module_of(std::string(989, '[') + repeated(n, "emit S", ";\n") + std::string(989, ']'));
}

std::string long_identifier(std::size_t n) {
  return "module " + std::string(n, 'x') + " :\nnothing\nend module\n";
}

std::string minus_run(std::size_t n) {
  return std::string(n, '-') + "7";
}

std::string unclosed_strings(std::size_t n) {
  // Blanks are string characters: each quote looks ahead over its line, then every blank is
  // echoed one by one.
  const std::string line = "\"" + std::string(1000, ' ') + "\n";
  return repeated(n / line.size(), line, "") + module_of("nothing");
}

std::string echoed_characters(std::size_t n) {
  return repeated(n, "#", "") + module_of("nothing");
}
