// Esterel v5 sources of a chosen size for the benchmarks.
#ifndef MORVAC_BENCH_GENERATORS_H
#define MORVAC_BENCH_GENERATORS_H

#include <cstddef>
#include <string>

// A module whose body is a sequence of n emissions.
std::string long_sequence(std::size_t n);
// A module whose body is a parallel of n emissions.
std::string wide_parallel(std::size_t n);

#endif  // MORVAC_BENCH_GENERATORS_H
