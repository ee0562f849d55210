// The cost of morvac on large and adversarial inputs, as one table: for each generator, the
// inputs of size n and 8n, their CPU and wall time, peak memory against the output size,
// throughput, and the ratio cpu(8n)/cpu(n) (linear: under 10). Then morvac against the floor
// (bench/floor.cpp) on the largest realistic program, with standard error to /dev/null and to a
// file. Last, morvac against the floor on the README's example, the size of file that users
// translate one at a time or by thousands in a build.
//
// Usage: morvac_bench <morvac> <floor> [scale]   (scale 1 is the full size; 0.1 a quick look)
#include <sys/stat.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "generators.h"
#include "measure_run.h"

namespace {

struct Generator {
  const char* name;
  std::string (*make)(std::size_t);
  std::size_t n;  // at scale 1
};

long file_size(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

// Counts the trace items of a run, from its standard error.
long count_tokens(const std::string& path) {
  constexpr std::string_view kItem = "token ";
  std::ifstream trace(path, std::ios::binary);
  std::string chunk(1 << 20, '\0');
  std::string text;
  long tokens = 0;
  while (trace.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || trace.gcount()) {
    // The last bytes of the previous chunk cannot hold a whole item, so none is counted twice.
    text.append(chunk, 0, static_cast<std::size_t>(trace.gcount()));
    for (std::size_t at = text.find(kItem); at != std::string::npos;
         at = text.find(kItem, at + kItem.size())) {
      ++tokens;
    }
    text.erase(0, text.size() > kItem.size() ? text.size() - (kItem.size() - 1) : 0);
  }
  return tokens;
}

// CPU time of morvac and of the floor on the README's example, each summed over kSmallRuns runs
// taken in turns, so that both meet the same state of the machine.
void compare_on_small_file(const std::string& morvac, const std::string& floor,
                           const std::string& dir) {
  constexpr int kSmallRuns = 300;
  std::ifstream example(MORVAC_README_EXAMPLE, std::ios::binary);
  const std::string source((std::istreambuf_iterator<char>(example)),
                           std::istreambuf_iterator<char>());
  write_source(dir, source);
  double translator = 0;
  double bottom = 0;
  for (int run = 0; run < kSmallRuns; ++run) {
    translator += measure_run(morvac, dir, "/dev/null", 1).cpu_seconds;
    bottom += measure_run(floor, dir, "/dev/null", 1).cpu_seconds;
  }
  std::printf("morvac against the floor, the README's example (%zu bytes), %d runs each in turn:\n",
              source.size(), kSmallRuns);
  std::printf("  CPU time per run            morvac %6.3fms  floor %6.3fms  ratio %.2f\n",
              translator * 1e3 / kSmallRuns, bottom * 1e3 / kSmallRuns, translator / bottom);
}

}  // namespace

int main(int argc, char** argv) {
  // Large sources go back to the system when released: a forked child's peak memory counts its
  // parent's memory until it execs.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  const std::string morvac = argc > 2 ? absolute_path(argv[1]) : "";
  const std::string floor = argc > 2 ? absolute_path(argv[2]) : "";
  if (morvac.empty() || floor.empty()) {
    std::fprintf(stderr, "usage: %s <morvac> <floor> [scale]\n", argv[0]);
    return 2;
  }
  const double scale = argc > 3 ? std::atof(argv[3]) : 1.0;
  char directory[] = "/tmp/morvac-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr) return 2;
  const std::string dir = directory;
  const std::string trace = dir + "/trace";

  const Generator generators[] = {
      {"mixed program", mixed_program, 2500000},       {"long sequence", long_sequence, 125000},
      {"wide parallel", wide_parallel, 125000},        {"989 brackets", nested_brackets, 125000},
      {"1 identifier", long_identifier, 1000000},      {"minus run", minus_run, 100000},
      {"unclosed strings", unclosed_strings, 1000000}, {"echoed chars", echoed_characters, 1000000},
  };
  std::printf("%-16s %8s %8s %8s %8s %7s %8s %9s %8s %8s %6s\n", "input (8n)", "MB", "cpu(n)",
              "cpu(8n)", "wall(8n)", "ratio", "MB/s", "tokens/s", "peak MB", "out MB", "mem ok");
  bool all_linear = true;
  for (const Generator& generator : generators) {
    const auto n = static_cast<std::size_t>(static_cast<double>(generator.n) * scale) + 1;
    // Sources are written and released before each run: a forked child counts the memory of
    // its parent until it execs.
    write_source(dir, generator.make(n));
    const Measure small = measure_run(morvac, dir, "/dev/null", 3);
    const std::size_t size = write_source(dir, generator.make(8 * n));
    const Measure big = measure_run(morvac, dir, "/dev/null", 3);
    measure_run(morvac, dir, trace, 1);
    const long tokens = count_tokens(trace);
    const double megabytes = static_cast<double>(size) / 1e6;
    const double output_mb = static_cast<double>(file_size(dir + "/bench.qrl")) / 1e6;
    const double peak_mb = static_cast<double>(big.peak_kilobytes) / 1024.0;
    const double ratio = big.cpu_seconds / small.cpu_seconds;
    const bool memory_ok = peak_mb < 3 * output_mb + 16;
    all_linear = all_linear && ratio < 10;
    std::printf("%-16s %8.1f %7.3fs %7.3fs %7.3fs %7.2f %8.1f %9.0f %8.1f %8.1f %6s\n",
                generator.name, megabytes, small.cpu_seconds, big.cpu_seconds, big.seconds, ratio,
                megabytes / big.cpu_seconds, static_cast<double>(tokens) / big.cpu_seconds, peak_mb,
                output_mb, memory_ok ? "yes" : "NO");
  }
  std::printf("%s\n\n", all_linear ? "linear: every ratio under 10" : "NOT LINEAR");

  const std::size_t program_size =
      write_source(dir, mixed_program(static_cast<std::size_t>(20e6 * scale)));
  std::printf("morvac against the floor, %.1f MB realistic program (CPU seconds):\n",
              static_cast<double>(program_size) / 1e6);
  for (const auto& [label, target] :
       {std::pair<const char*, std::string>{"/dev/null", "/dev/null"}, {"a file", trace}}) {
    const Measure translator = measure_run(morvac, dir, target, 3);
    const Measure bottom = measure_run(floor, dir, target, 3);
    std::printf("  standard error to %-9s  morvac %6.3fs  floor %6.3fs  ratio %.2f\n", label,
                translator.cpu_seconds, bottom.cpu_seconds,
                translator.cpu_seconds / bottom.cpu_seconds);
  }
  std::printf("\n");
  compare_on_small_file(morvac, floor, dir);
  std::filesystem::remove_all(dir);
  return all_linear ? 0 : 1;
}
