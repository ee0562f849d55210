// Esterel v5 sources of a chosen size for the benchmarks. Every generator is deterministic.
#ifndef MORVAC_BENCH_GENERATORS_H
#define MORVAC_BENCH_GENERATORS_H

#include <cstddef>
#include <string>

// A module whose body is a sequence of n emissions.
std::string long_sequence(std::size_t n);
// A module whose body is a parallel of n emissions.
std::string wide_parallel(std::size_t n);
// About `bytes` bytes of translatable modules mixing declarations, nested loops, presents,
// aborts, parallels and sustains, as a generating tool would write them.
std::string mixed_program(std::size_t bytes);
// A module whose body is a sequence of n emissions inside 989 nested pairs of brackets, the
// deepest the parser takes around a sequence (991 around a single statement).
std::string nested_brackets(std::size_t n);
// A module named by one identifier of n characters.
std::string long_identifier(std::size_t n);
// n minus signs followed by a digit.
std::string minus_run(std::size_t n);
// Lines that each open a string and never close it, n bytes in all, then a module.
std::string unclosed_strings(std::size_t n);
// n characters that no token takes, then a module.
std::string echoed_characters(std::size_t n);

#endif  // MORVAC_BENCH_GENERATORS_H
