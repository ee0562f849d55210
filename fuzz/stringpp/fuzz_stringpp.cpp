// Fuzz target for Stringpp: feeds two texts, a separator and a count to the parsers, checks,
// formatters, path, record and rewriting functions, and aborts when an invariant that ties them
// together breaks. Input layout: separator byte, count byte (signed), then text a, a newline,
// and text b.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Stringpp.h"

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "invariant broken at line %d: %s\n", __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

namespace {

// Sends std::cerr into a string for the lifetime of the object, so trace lines can be checked.
class TraceCapture {
 public:
  TraceCapture() : saved_(std::cerr.rdbuf(trace_.rdbuf())) {}
  ~TraceCapture() { std::cerr.rdbuf(saved_); }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;
  // Returns what was written since the last call, and forgets it.
  std::string take() {
    std::string text = trace_.str();
    trace_.str("");
    return text;
  }

 private:
  std::ostringstream trace_;
  std::streambuf* saved_;
};

bool starts_with(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

bool ends_with(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Returns the canonical decimal text of a checkint-valid text, or "" when it does not fit in
// 64 bits.
std::string canonical_int(const std::string& s) {
  const bool negative = s[0] == '-';
  std::string digits = s.substr(negative ? 1 : 0);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return "0";
  const std::string limit = negative ? "9223372036854775808" : "9223372036854775807";
  if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) return "";
  return (negative ? "-" : "") + digits;
}

void check_integers(const std::string& a, TraceCapture& trace) {
  const long long value = Stoll(a);
  FUZZ_CHECK(Stol(a) == value);
  FUZZ_CHECK(Stoi(a) == static_cast<int>(static_cast<unsigned>(value)));  // the low 32 bits
  const std::string text = longlong2S(value);
  FUZZ_CHECK(checkint(text) == 1 && Stoll(text) == value);
  if (checkint(a) == 1) {
    const std::string canonical = canonical_int(a);
    if (!canonical.empty()) FUZZ_CHECK(text == canonical);
  }
  FUZZ_CHECK(checkuint(a) <= checkint(a) && checkuint(a) <= beginbynumber(a));

  const unsigned long long hex = Stouhex(a);
  const std::string hex_digits = unslonglong2S(hex);
  FUZZ_CHECK(checkuint(hex_digits) == 1 &&
             static_cast<unsigned long long>(Stoll(hex_digits)) == hex);
  const unsigned long long sign_bit_offset = a.size() >= 16 ? 0 : 1ULL << (4 * a.size());
  const auto shex = static_cast<unsigned long long>(Stoshex(a));
  FUZZ_CHECK(shex == hex || shex == hex - sign_bit_offset);
  const std::string low32 = hex8toS(static_cast<long>(hex));
  FUZZ_CHECK(low32.size() == 8 && checkhex(low32) == 1 && Stouhex(low32) == (hex & 0xFFFFFFFFULL));
  if (checkhex(a) == 1 && a.size() <= 8) {
    std::string lower = downcase(a);
    FUZZ_CHECK(low32 == std::string(8 - lower.size(), '0') + lower);
  }
  const bool intel = checkhexintel(a) == 1;
  FUZZ_CHECK(intel == (!a.empty() && a.back() == 'h' && checkhex(a.substr(0, a.size() - 1)) == 1));
  if (intel)
    FUZZ_CHECK(static_cast<unsigned long long>(Stohex(a, "h")) ==
               Stouhex(a.substr(0, a.size() - 1)));
  if (a.find('h') == std::string::npos) {
    trace.take();
    const long decimal = Stohex(a, "h");
    FUZZ_CHECK(decimal == Stol(a) &&
               trace.take() == "Decimal Conversion " + long2S(decimal) + "\n");
  }

  if (checkbin(a) == 1 && !a.empty() && a.size() < 64) {
    const unsigned long long bin = Stoubin(a);
    const long long sbin = Stosbin(a);
    FUZZ_CHECK(sbin == static_cast<long long>(a[0] == '1' ? bin - (1ULL << a.size()) : bin));
    if (a.size() <= 8)
      FUZZ_CHECK(bin8toS(static_cast<int>(bin)) == std::string(8 - a.size(), '0') + a);
  }
  const std::string octal = unslongbyS(static_cast<unsigned long>(hex));
  unsigned long decoded = 0;
  for (const char c : octal) {
    FUZZ_CHECK(c >= 'A' && c <= 'H');
    decoded = decoded * 8 + static_cast<unsigned long>(c - 'A');
  }
  FUZZ_CHECK(decoded == hex);
}

void check_reals(const std::string& a, char separator, int digits) {
  const double value = Stod(a, separator);
  FUZZ_CHECK(!std::isnan(value));
  if (checkdouble(a, separator) == 0) {
    FUZZ_CHECK(value == 0.0);
  } else if (std::string("0123456789eE+- ").find(separator) == std::string::npos) {
    // The separator then occurs once at most: compare with the C library's reading.
    std::string plain = a.substr(a.find_first_not_of(' '));
    std::replace(plain.begin(), plain.end(), separator, '.');
    const double reference = std::strtod(plain.c_str(), nullptr);
    if (reference == 0.0) {
      FUZZ_CHECK(value == 0.0);
    } else if (std::fabs(reference) > 1e-290 && std::fabs(reference) < 1e307) {
      FUZZ_CHECK(std::fabs(value - reference) <= 1e-12 * std::fabs(reference));
    }
  }
  const std::string fixed = dtoS(value, digits);
  if (!std::isfinite(value)) return;
  const std::string::size_type point = fixed.find('.');
  FUZZ_CHECK(point != std::string::npos &&
             fixed.size() - point - 1 == static_cast<std::string::size_type>(std::max(digits, 0)));
  if (digits < 1 || digits > 15 || std::fabs(value) >= 9.2e18) return;
  FUZZ_CHECK(checkdouble(fixed, '.') == 1);
  const double back = Stod(fixed, '.');
  FUZZ_CHECK(std::fabs(back - value) <=
             std::pow(10.0, -digits) + 1e-14 * std::max(1.0, std::fabs(value)));
}

// Returns the components of an absolute path with ".." applied, or false for texts whose
// meaning the textual algorithm does not follow ("//", "." and ".." components).
bool resolve(const std::string& path, std::vector<std::string>& components) {
  if (path.empty() || path[0] != '/') return false;
  std::string rest = path.substr(1);
  while (!rest.empty()) {
    const std::string component = next_record(rest, '/', rest);
    if (component.empty() || component == "." || component == "..") return false;
    components.push_back(component);
  }
  return true;
}

void check_paths(const std::string& a, const std::string& b, TraceCapture& trace) {
  const std::string::size_type slash = a.rfind('/');
  const std::string name = extract_filename_name(a);
  const std::string directory = extract_filename_path(a);
  if (slash == std::string::npos) {
    FUZZ_CHECK(name == a && directory == ".");
  } else if (slash > 0) {
    FUZZ_CHECK(directory + "/" + name == a);
  } else {
    FUZZ_CHECK(directory == "/" && "/" + name == a);
  }
  const std::string stem = supress_filename_extension(a);
  FUZZ_CHECK(starts_with(a, stem) && a.find('/', stem.size()) == std::string::npos);

  if (b.empty()) return;  // the working directory would take its place
  trace.take();
  const std::string relative = relative_directory_path(a, b);
  const std::string lines = trace.take();
  FUZZ_CHECK(starts_with(lines, "demarrage " + a + "|" + b + "\n"));
  FUZZ_CHECK(ends_with(lines, "--> " + relative + "\n"));
  if (a == b) FUZZ_CHECK(relative == ".");
  std::vector<std::string> target;
  std::vector<std::string> base;
  if (b.back() == '/' || !resolve(a, target) || !resolve(b, base)) return;
  std::vector<std::string> reached = base;  // walk from the base along the relative path
  std::string rest = relative;
  while (!rest.empty()) {
    const std::string step = next_record(rest, '/', rest);
    if (step == "..") {
      if (!reached.empty()) reached.pop_back();
    } else if (!step.empty() && step != ".") {
      reached.push_back(step);
    }
  }
  FUZZ_CHECK(reached == target);
}

void check_records(const std::string& a, const std::string& b, char sep, int count) {
  FUZZ_CHECK(my_before(a, count) + my_after(a, count) == a);
  FUZZ_CHECK(my_at(a, count, count + 3) == my_after(my_before(a, count + 3), count));
  FUZZ_CHECK(find(a, b) == a.find(b) &&
             contains(a, b) == (find(a, b) != std::string::npos ? 1 : 0));
  FUZZ_CHECK(contains_token(a, b) <= contains(a, b));
  FUZZ_CHECK(char_occurences(a, sep) == static_cast<int>(std::count(a.begin(), a.end(), sep)));

  std::string rest;
  const std::string first = next_record(a, sep, rest);
  FUZZ_CHECK(first.find(sep) == std::string::npos);
  FUZZ_CHECK(a.find(sep) == std::string::npos ? first == a && rest.empty()
                                              : first + sep + rest == a);
  const std::string last = last_record(a, sep, rest);
  FUZZ_CHECK(rest.find(sep) == std::string::npos);
  FUZZ_CHECK(a.find(sep) == std::string::npos ? last == a && rest.empty() : last + sep + rest == a);
  char found = '?';
  const std::string set = b.substr(0, b.find('\0'));  // up to the first NUL, as read
  const std::string record = next_record(a, set.c_str(), rest, found);
  FUZZ_CHECK(record.find_first_of(set) == std::string::npos);
  FUZZ_CHECK(record.size() == a.size()
                 ? rest.empty() && found == ' '
                 : record + found + rest == a && set.find(found) != std::string::npos);

  const std::unique_ptr<char[]> copy(Stoa(a));
  FUZZ_CHECK(std::memcmp(copy.get(), a.data(), a.size()) == 0 && copy[a.size()] == '\0');

  rest = a;
  while (!rest.empty()) {  // every call eats at least one character
    const std::string before = rest;
    const std::string token = next_Stringtoken(before, sep, &rest);
    const std::string::size_type start = before.find_first_not_of(sep);
    FUZZ_CHECK(start == std::string::npos ? token.empty() && rest.empty()
                                          : before.substr(start) == token + rest && !token.empty());
  }
}

void check_letters(const std::string& a) {
  const auto is_plain_capital_text = [](const std::string& s) {
    return std::none_of(s.begin(), s.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 128;
    });
  };
  const std::string lowered = downcase(a);
  FUZZ_CHECK(lowered.size() == a.size() && upcase(lowered) == upcase(a));
  FUZZ_CHECK(is_plain_capital_text(upcase(a)));
  FUZZ_CHECK(is_plain_capital_text(upcase_accent(a)) && upcase_accent(a).size() <= a.size());
  FUZZ_CHECK(is_plain_capital_text(upcase_accent2(a)) && upcase_accent2(a).size() <= a.size());
  FUZZ_CHECK(checkvarname(a) <= checkvarname_with_pre_underscore(a));
  if (checkvarname(a) == 1)
    FUZZ_CHECK(checkvarname(upcase(a)) == 1 && checkvarname(downcase(a)) == 1);
  for (const char c : a) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
      FUZZ_CHECK(check_ISO_8859_1_alphabetical_letter(c) == 1);
  }
}

void check_rewriting(const std::string& a, const std::string& b, char c, TraceCapture& trace) {
  FUZZ_CHECK(substitute_string(a, b, b) == a);
  FUZZ_CHECK(substitute_token(a, b, b) == a);
  if (!b.empty() && a.find(b) == std::string::npos) FUZZ_CHECK(substitute_string(a, b, "x") == a);
  FUZZ_CHECK(substitute_char(a, c, std::string(1, c)) == a && substitute_char(a, c, c) == a);
  const std::string underscores = latex_String_filter(a);
  FUZZ_CHECK(underscores.size() ==
             a.size() + static_cast<std::string::size_type>(char_occurences(a, '_')));
  const std::string trimmed = cancel_begin_end_spaces(a);
  FUZZ_CHECK(cancel_begin_end_spaces(trimmed) == trimmed && a.find(trimmed) != std::string::npos);
  if (c != ' ') FUZZ_CHECK(clever_substitute_space(a, c).find(' ') == std::string::npos);
  FUZZ_CHECK(bdelete(a) == (a.size() < 3 ? "" : a.substr(1, a.size() - 2)));
  const std::string rtf = rtf_String_filter(a);
  FUZZ_CHECK(rtf.find_first_of("#$") == std::string::npos);
  for (std::string::size_type i = rtf.find('\''); i != std::string::npos;
       i = rtf.find('\'', i + 1)) {
    FUZZ_CHECK(i > 0 && rtf[i - 1] == '\\');  // every apostrophe left belongs to an escape
  }

  trace.take();
  const int distance = levenshtein(a, b);
  FUZZ_CHECK(distance == levenshtein(b, a));
  if (a.size() > 998 || b.size() > 998) {
    FUZZ_CHECK(distance == -1 && trace.take() == "chaines trop grandes!\nchaines trop grandes!\n");
    return;
  }
  const auto [shorter, longer] = std::minmax({a.size(), b.size()});  // by value
  FUZZ_CHECK(distance >= static_cast<int>(longer - shorter) &&
             distance <= static_cast<int>(longer));
  FUZZ_CHECK((distance == 0) == (a == b) && levenshtein(a, a) == 0);
  FUZZ_CHECK(levenshtein(a, "") == static_cast<int>(a.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const char separator = size > 0 ? input[0] : '.';
  const int count = size > 1 ? static_cast<signed char>(input[1]) : 0;
  const std::string texts = size > 2 ? input.substr(2) : std::string();
  std::string b;
  const std::string a = next_record(texts, '\n', b);

  TraceCapture trace;
  check_integers(a, trace);
  check_reals(a, separator, count % 24);
  check_paths(a, b, trace);
  check_records(a, b, separator, count);
  check_letters(a);
  check_rewriting(a, b, separator, trace);
  return 0;
}
