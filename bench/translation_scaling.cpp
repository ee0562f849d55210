// Does translation time grow linearly with the input? Translates a long sequence and a wide
// parallel of n and 8n statements and prints the ratio of their CPU times (user and system): a
// linear translator stays near 8; one that copies the text built so far at every statement
// grows far beyond.
//
// Usage: translation_scaling <morvac> [n]
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "generators.h"
#include "measure_run.h"

int main(int argc, char** argv) {
  // Large sources go back to the system when released: a forked child's peak memory counts its
  // parent's memory until it execs.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  const std::string morvac = argc > 1 ? absolute_path(argv[1]) : "";
  if (morvac.empty()) {
    std::fprintf(stderr, "usage: %s <morvac> [n]\n", argv[0]);
    return 2;
  }
  const std::size_t n = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 200000;
  char directory[] = "/tmp/morvac-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr) return 2;

  struct Generator {
    const char* name;
    std::string (*make)(std::size_t);
  };
  const Generator generators[] = {{"long sequence", long_sequence},
                                  {"wide parallel", wide_parallel}};
  std::printf("%-14s %9s %10s %10s %9s %7s\n", "input", "n", "cpu(n)", "cpu(8n)", "MB(8n)",
              "ratio");
  bool linear = true;
  for (const Generator& generator : generators) {
    write_source(directory, generator.make(n));
    const Measure a = measure_run(morvac, directory, "/dev/null", 3);
    const std::size_t large = write_source(directory, generator.make(8 * n));
    const Measure b = measure_run(morvac, directory, "/dev/null", 3);
    const double ratio = b.cpu_seconds / a.cpu_seconds;
    linear = linear && ratio < 10 && a.status == 0 && b.status == 0;
    std::printf("%-14s %9zu %9.3fs %9.3fs %9.1f %7.2f\n", generator.name, n, a.cpu_seconds,
                b.cpu_seconds, static_cast<double>(large) / 1e6, ratio);
  }
  std::printf(linear ? "linear: every ratio under 10\n" : "NOT LINEAR: a ratio reached 10\n");
  std::filesystem::remove_all(directory);
  return linear ? 0 : 1;
}
