// The proof that a copy means what its program means: both run with morvac-sim's engine on the
// same random input traces (input relations respected), instant by instant, their outputs
// compared. For pure programs; a program that the engine does not run is not verified.
#ifndef MORVAC_CHECKER_VERIFY_COPY_H
#define MORVAC_CHECKER_VERIFY_COPY_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What each verification runs unless told otherwise.
constexpr std::size_t kVerifyTraces = 100;
constexpr std::size_t kVerifyInstants = 50;

struct Verification {
  enum class Outcome : std::uint8_t { Verified, Differs, NotRun };
  Outcome outcome = Outcome::NotRun;
  std::string message;  // what the finding says
};

// Returns the verification of copy against source (the program of file name) on traces random
// traces of instants instants each, drawn from seed; others are files (name, text) whose
// modules both may run, read where the program or the copy does not run alone.
[[nodiscard]] Verification verify_copy(
    const std::string& name, const std::string& source, const std::string& copy, std::size_t traces,
    std::size_t instants, std::uint64_t seed = 1,
    const std::vector<std::pair<std::string, std::string>>& others = {});

#endif  // MORVAC_CHECKER_VERIFY_COPY_H
