// Does translation time grow linearly with the input? For each generator, translates inputs of n
// and 8n statements and prints the ratio of their CPU times (user and system): a linear translator stays near 8, and
// anything that copies the text built so far at every statement grows far beyond.
//
// Usage: translation_scaling <morvac> [n]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generators.h"
#include "run_morvac.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <morvac> [n]\n", argv[0]);
    return 2;
  }
  char* absolute = realpath(argv[1], nullptr);
  if (absolute == nullptr) {
    std::perror(argv[1]);
    return 2;
  }
  const std::string morvac = absolute;
  std::free(absolute);
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
    const std::string small = generator.make(n);
    const std::string large = generator.make(8 * n);
    const Measure a = run_morvac(morvac, directory, small, "/dev/null", 3);
    const Measure b = run_morvac(morvac, directory, large, "/dev/null", 3);
    const double ratio = b.cpu_seconds / a.cpu_seconds;
    linear = linear && ratio < 10 && a.status == 0 && b.status == 0;
    std::printf("%-14s %9zu %9.3fs %9.3fs %9.1f %7.2f\n", generator.name, n, a.cpu_seconds,
                b.cpu_seconds, static_cast<double>(large.size()) / 1e6, ratio);
  }
  std::printf(linear ? "linear: every ratio under 10\n" : "NOT LINEAR: a ratio reached 10\n");
  std::system((std::string("rm -rf ") + directory).c_str());
  return linear ? 0 : 1;
}
