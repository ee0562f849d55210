#include "morvac_run.h"

#include "in_process.h"

namespace {

constexpr std::string_view kTraceItem = "token ";

// Splits morvac's standard error into its messages, each after the trace items of its line, and
// counts the trace items (one per token read).
void read_errors(std::string_view errors, MorvacRun& run) {
  std::size_t line_start = 0;
  while (line_start < errors.size()) {
    std::size_t line_end = errors.find('\n', line_start);
    const bool complete = line_end != std::string_view::npos;
    if (!complete) line_end = errors.size();
    std::size_t message_start = line_start;
    for (std::size_t at = errors.find(kTraceItem, line_start); at < line_end;
         at = errors.find(kTraceItem, at)) {
      ++run.tokens_read;
      // An item is "token ", a word without blanks, and a blank.
      const std::size_t blank = errors.find(' ', at + kTraceItem.size());
      at = blank == std::string_view::npos ? line_end : blank + 1;
      message_start = std::min(at, line_end);
    }
    if (complete && message_start < line_end) {
      run.messages.emplace_back(errors.substr(message_start, line_end - message_start));
    }
    line_start = line_end + 1;
  }
}

}  // namespace

MorvacRun run_morvac(std::string_view text) {
  const InProcessRun result = translate_in_process(text, "/dev/null");
  MorvacRun run{};
  read_errors(result.errors, run);
  if (result.status == 1) {
    run.outcome = MorvacOutcome::Stops;
    if (!run.messages.empty()) run.stop_message = run.messages.back();
  } else if (result.status == 0 && result.parse_result == 0) {
    run.outcome = MorvacOutcome::Translates;
  } else {
    run.outcome = MorvacOutcome::CannotRead;
    if (!run.messages.empty()) run.syntax_error = run.messages.back();
  }
  return run;
}
