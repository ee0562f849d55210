// morvac-check against morvac, side by side, on the same programs at several sizes up to the
// benchmark's 8 MB: the program as generated, as people write Esterel (comments, `:=`), and with
// the spellings that the copy rewrites (`#` and `=>` relations); the CPU time of each, their
// ratio (morvac-check promises at most 2) and morvac-check's time per MB (linear: the same at
// every size). Then morvac-check alone on inputs of size n and 8n (linear: cpu(8n)/cpu(n) under
// 10), adversarial ones included (runs of modules, side by side and nested).
//
// Usage: check_bench <morvac> <morvac-check> [scale]   (scale 1 is the full size)
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "generators.h"
#include "measure_run.h"

namespace {

// The program with a comment on every tenth line and an assignment in a comment-free spot.
std::string as_people_write(const std::string& program) {
  std::string out;
  out.reserve(program.size() + program.size() / 4);
  int line = 0;
  for (const char c : program) {
    if (c == '\n' && ++line % 10 == 0) out += "   % x := x + 1, said the comment";
    out += c;
  }
  return out;
}

// The program with relations spelt as Esterel v5 programs spell them, after each module's
// outputs: one with `#`, which the copy blanks, and one with `=>`, which it writes `implies`.
std::string with_spellings(const std::string& program) {
  std::string out;
  out.reserve(program.size() + program.size() / 8);
  const std::string after = ";\nconstant LIMIT";
  std::size_t done = 0;
  for (std::size_t at = program.find(after); at != std::string::npos;
       at = program.find(after, at + 1)) {
    out.append(program, done, at + 2 - done);
    out += "relation I0 # I1 # I2;\nrelation I3=>I4, I5=>I6;\n";
    done = at + 2;
  }
  return out.append(program, done, std::string::npos);
}

// The program with derived statements that the copy writes out: each `await I` counted or
// immediate in turn, each `each I` with its signal in brackets.
std::string with_derived(const std::string& program) {
  std::string out;
  out.reserve(program.size() + program.size() / 4);
  bool counted = true;
  for (std::size_t at = 0; at < program.size();) {
    if (program.compare(at, 7, "await I") == 0) {
      out += counted ? "await 2 " : "await immediate ";
      counted = !counted;
      at += 6;
    } else if (program.compare(at, 6, "each I") == 0) {
      const std::size_t name = at + 5;
      std::size_t end = name;
      while (end < program.size() && program[end] != '\n' && program[end] != ';') ++end;
      out.append("each [").append(program, name, end - name).append("]");
      at = end;
    } else {
      out += program[at++];
    }
  }
  return out;
}

struct Generator {
  const char* name;
  std::string (*make)(std::size_t);
  std::size_t n;  // at scale 1
};

std::string comments(std::size_t n) {
  std::string out = "module M:\nnothing\nend module\n";
  while (out.size() < n) out += "% a line comment\n%{ a block }%\n";
  return out;
}

// One line of n bytes with a finding every few bytes, among tabs and accented letters: each
// finding's column is counted on that line.
std::string long_line(std::size_t n) {
  std::string out = "module M:\nvar x : integer in ";
  while (out.size() < n) out += "x := 1;\t%{ \xC3\xA9t\xC3\xA9 }% ";
  return out + "nothing end\nend module\n";
}

// One module run again and again with its signals renamed, as a main module runs its parts:
// the copy writes each run out (up to its limit on what runs add).
std::string many_runs(std::size_t n) {
  std::string out =
      "module Light:\ninput GO, STOP;\noutput GREEN, RED;\nloop\n  abort sustain RED when GO;\n"
      "  abort sustain GREEN when STOP\nend loop\nend module\n"
      "module Main:\ninput GO, STOP;\noutput GREEN, RED;\nnothing\n";
  while (out.size() < n) {
    out +=
        "|| run Light [signal STOP / GO, GO / STOP,\n                  RED / GREEN, GREEN / RED]\n";
  }
  return out + "end module\n";
}

// A module of 32 KiB run again and again: the copy writes runs out until they have added 1 MiB;
// the runs after that must cost no more than their own text.
std::string big_module_runs(std::size_t n) {
  std::string out = "module Big:\ninput S;\noutput O;\nemit O";
  while (out.size() < 32 * 1024) out += ";\nemit O";
  out += "\nend module\nmodule Main:\ninput S;\noutput O;\nnothing";
  while (out.size() < n) out += ";\nrun Big";
  return out + "\nend module\n";
}

// Modules that each run the one written after them: runs nested as deep as the copy takes.
std::string chained_runs(std::size_t n) {
  std::string out;
  for (int i = 0; out.size() < n; ++i) {
    out += "module M" + std::to_string(i) + ":\ninput S;\noutput O;\nrun M" +
           std::to_string(i + 1) + "\nend module\n";
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  const std::string morvac = argc > 2 ? absolute_path(argv[1]) : "";
  const std::string check = argc > 2 ? absolute_path(argv[2]) : "";
  if (morvac.empty() || check.empty()) {
    std::fprintf(stderr, "usage: %s <morvac> <morvac-check> [scale]\n", argv[0]);
    return 2;
  }
  const double scale = argc > 3 ? std::atof(argv[3]) : 1.0;
  char directory[] = "/tmp/morvac-check-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr) return 2;
  const std::string dir = directory;
  const auto size = static_cast<std::size_t>(8e6 * scale);

  std::printf(
      "morvac-check against morvac on the same programs (CPU seconds, best of 3, output "
      "to /dev/null):\n");
  std::printf("  %-20s %6s %8s %13s %6s %10s %8s\n", "program", "MB", "morvac", "morvac-check",
              "ratio", "check s/MB", "peak MB");
  bool within = true;
  bool steady = true;
  for (const auto& [label, form] : {std::pair<const char*, std::string (*)(const std::string&)>{
                                        "as generated", [](const std::string& p) { return p; }},
                                    {"as people write it", as_people_write},
                                    {"with old spellings", with_spellings},
                                    {"with derived stmts", with_derived}}) {
    double first_per_mb = 0;
    for (const double part : {0.125, 0.25, 0.5, 1.0}) {
      const std::string source =
          form(mixed_program(static_cast<std::size_t>(static_cast<double>(size) * part)));
      const double megabytes = static_cast<double>(write_source(dir, source)) / 1e6;
      // morvac reads the copy that morvac-check writes (the program itself when nothing in it
      // is rewritten).
      std::string write_copy = check;
      write_copy.append(" -o ").append(dir).append("/bench_copy.strl ").append(dir);
      write_copy.append("/bench.strl > /dev/null");
      if (std::system(write_copy.c_str()) == -1) return 2;
      const Measure translator = measure_run(morvac, dir, "/dev/null", 3, "bench_copy");
      const Measure checker = measure_run(check, dir, "/dev/null", 3, "bench.strl");
      const double ratio = checker.cpu_seconds / translator.cpu_seconds;
      const double per_mb = checker.cpu_seconds / megabytes;
      if (first_per_mb == 0) first_per_mb = per_mb;
      within = within && ratio <= 2;
      steady = steady && per_mb < 2 * first_per_mb;
      std::printf("  %-20s %6.2f %7.3fs %12.3fs %6.2f %9.3fs %8ld\n", label, megabytes,
                  translator.cpu_seconds, checker.cpu_seconds, ratio, per_mb,
                  checker.peak_kilobytes / 1024);
    }
  }
  std::printf(
      "%s; %s\n", within ? "within 2x of morvac" : "MORE THAN 2x morvac",
      steady ? "linear: time per MB under twice that of the smallest" : "NOT LINEAR in size");
  std::printf("\n");

  const Generator generators[] = {
      {"mixed program", mixed_program, 1000000},
      {"long sequence", long_sequence, 60000},
      {"989 brackets", nested_brackets, 60000},
      {"1 identifier", long_identifier, 1000000},
      {"minus run", minus_run, 100000},
      {"unclosed strings", unclosed_strings, 1000000},
      {"echoed chars", echoed_characters, 1000000},
      {"comments", comments, 1000000},
      {"1 long line", long_line, 1000000},
      {"many runs", many_runs, 1000000},
      {"chained runs", chained_runs, 1000000},
      {"big module runs", big_module_runs, 1000000},
  };
  std::printf("%-16s %8s %8s %8s %7s\n", "morvac-check", "MB(8n)", "cpu(n)", "cpu(8n)", "ratio");
  bool linear = true;
  for (const Generator& generator : generators) {
    const auto n = static_cast<std::size_t>(static_cast<double>(generator.n) * scale) + 1;
    write_source(dir, generator.make(n));
    const Measure small = measure_run(check, dir, "/dev/null", 3, "bench.strl");
    const std::size_t bytes = write_source(dir, generator.make(8 * n));
    const Measure big = measure_run(check, dir, "/dev/null", 3, "bench.strl");
    const double ratio = big.cpu_seconds / std::max(small.cpu_seconds, 1e-3);
    linear = linear && ratio < 10;
    std::printf("%-16s %8.1f %7.3fs %7.3fs %7.2f\n", generator.name,
                static_cast<double>(bytes) / 1e6, small.cpu_seconds, big.cpu_seconds, ratio);
  }
  std::printf("%s\n", linear ? "linear: every ratio under 10" : "NOT LINEAR");
  std::filesystem::remove_all(dir);
  return within && steady && linear ? 0 : 1;
}
