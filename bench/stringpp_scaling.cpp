// Does each Stringpp function take time linear in its texts, on the inputs that once made it
// quadratic? Runs every function on an input of size n and of 8n and prints the ratio of their
// CPU times (per call, in runs of at least 50 ms, best of five): near 8 when linear, under 10; the
// quadratic forms gave 60 and more. Trace lines on standard error are discarded while the functions
// run.
//
// Usage: stringpp_scaling [scale]   (scale 1, the full size, takes about 15 s; make bench runs
// it so. Below 0.5 the smaller inputs stay in the caches, and ratios past 10 mean nothing.)
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>

#include "Stringpp.h"

namespace {

// Takes what std::cerr writes and drops it.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

double cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Returns how many calls make a run of at least 50 ms.
long repeats_for(const std::function<void()>& call) {
  for (long repeats = 1;; repeats *= 2) {
    const double start = cpu_seconds();
    for (long i = 0; i < repeats; ++i) call();
    if (cpu_seconds() - start >= 0.05) return repeats;
  }
}

// Returns the CPU time of one call in a run of repeats calls.
double seconds_per_call(const std::function<void()>& call, long repeats) {
  const double start = cpu_seconds();
  for (long i = 0; i < repeats; ++i) call();
  return (cpu_seconds() - start) / static_cast<double>(repeats);
}

std::string repeated(const std::string& unit, std::size_t count) {
  std::string text;
  text.reserve(unit.size() * count);
  for (std::size_t i = 0; i < count; ++i) text += unit;
  return text;
}

// Inputs of size n: a long pattern that almost matches everywhere in the text, and occurs once
// at its end, after a blank.
struct Search {
  std::string pattern;
  std::string text;
  explicit Search(std::size_t n)
      : pattern(std::string(n / 2, 'a') + "b"), text(std::string(n, 'a') + " " + pattern) {}
};

// Inputs of size n: paths that share n "d/" components, then differ.
struct Paths {
  std::string target;
  std::string base;
  explicit Paths(std::size_t n)
      : target(repeated("d/", n) + "p/src"), base(repeated("d/", n) + "q") {}
};

struct Row {
  const char* function;
  const char* input;
  std::size_t n;  // at scale 1
  // Prepares the input of size n and returns the call to time.
  std::function<std::function<void()>(std::size_t)> prepare;
};

std::size_t sink = 0;  // results feed it, so no call is left out

template <typename Inputs>
std::function<std::function<void()>(std::size_t)> on(
    std::function<std::size_t(const Inputs&)> call) {
  return [call](std::size_t n) {
    auto inputs = std::make_shared<Inputs>(n);
    return [inputs, call] { sink += call(*inputs); };
  };
}

struct Text {
  std::string text;
  explicit Text(std::size_t n) : text(n, 'x') {}
};

struct Set {
  std::string text;
  std::string set;
  explicit Set(std::size_t n) : text(std::string(n, 'a') + ";b"), set(std::string(n, 'b') + ";") {}
};

}  // namespace

int main(int argc, char** argv) {
  // Large blocks always come from the system, at n as at 8n: otherwise the allocator keeps the
  // smaller copies after the first and only the larger pay for fresh pages.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
  NullBuffer null;
  std::streambuf* const saved = std::cerr.rdbuf(&null);

  const Row rows[] = {
      {"Stoa", "text", 16000000, on<Text>([](const Text& in) {
         const std::unique_ptr<char[]> copy(Stoa(in.text));
         return static_cast<std::size_t>(copy[0]);
       })},
      {"char_occurences", "text", 16000000, on<Text>([](const Text& in) {
         return static_cast<std::size_t>(char_occurences(in.text, 'x'));
       })},
      {"relative_directory_path", "shared d/ components", 250000, on<Paths>([](const Paths& in) {
         return relative_directory_path(in.target, in.base).size();
       })},
      {"contains", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return static_cast<std::size_t>(contains(in.text, in.pattern));
       })},
      {"find", "a^n a^(n/2)b", 2000000,
       on<Search>([](const Search& in) { return find(in.text, in.pattern); })},
      {"contains_token", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return static_cast<std::size_t>(contains_token(in.text, in.pattern));
       })},
      {"substitute_string", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return substitute_string(in.text, in.pattern, "X").size();
       })},
      {"substitute_token", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return substitute_token(in.text, in.pattern, "X").size();
       })},
      {"Stoloruhex", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return static_cast<std::size_t>(Stoloruhex(in.pattern, in.text));
       })},
      {"Stohex", "a^n a^(n/2)b", 2000000, on<Search>([](const Search& in) {
         return static_cast<std::size_t>(Stohex(in.text, in.pattern));
       })},
      {"next_record (set)", "a^n, set of n", 2000000, on<Set>([](const Set& in) {
         std::string rest;
         char found = ' ';
         return next_record(in.text, in.set.c_str(), rest, found).size();
       })},
  };

  std::printf("%-24s %-22s %9s %11s %11s %7s\n", "function", "input", "n", "cpu(n)", "cpu(8n)",
              "ratio");
  bool linear = true;
  for (const Row& row : rows) {
    const auto n = static_cast<std::size_t>(static_cast<double>(row.n) * scale) + 1;
    const std::function<void()> small_call = row.prepare(n);
    const std::function<void()> big_call = row.prepare(8 * n);
    const long small_repeats = repeats_for(small_call);
    const long big_repeats = repeats_for(big_call);
    // Best of five, the two sizes taking turns so that a change in the machine's load hits both.
    double small = seconds_per_call(small_call, small_repeats);
    double big = seconds_per_call(big_call, big_repeats);
    for (int run = 1; run < 5; ++run) {
      small = std::min(small, seconds_per_call(small_call, small_repeats));
      big = std::min(big, seconds_per_call(big_call, big_repeats));
    }
    const double ratio = big / small;
    linear = linear && ratio < 10;
    std::printf("%-24s %-22s %9zu %9.3fms %9.3fms %7.2f\n", row.function, row.input, n, small * 1e3,
                big * 1e3, ratio);
  }
  std::cerr.rdbuf(saved);
  std::printf(linear ? "linear: every ratio under 10\n" : "NOT LINEAR: a ratio reached 10\n");
  return linear ? 0 : 1;
}
