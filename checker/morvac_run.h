// What morvac does with a copy: its own front end, run in process.
#ifndef MORVAC_CHECKER_MORVAC_RUN_H
#define MORVAC_CHECKER_MORVAC_RUN_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class MorvacOutcome { Translates, Stops, CannotRead };

struct MorvacRun {
  MorvacOutcome outcome;
  std::vector<std::string> messages;  // its messages in order (skips, then a stop or an error)
  std::string stop_message;           // for Stops
  std::string syntax_error;           // for CannotRead: morvac's own line
  std::size_t tokens_read = 0;        // tokens that morvac read before it ended
};

// Runs morvac's front end on text and returns what it did.
[[nodiscard]] MorvacRun run_morvac(std::string_view text);

#endif  // MORVAC_CHECKER_MORVAC_RUN_H
