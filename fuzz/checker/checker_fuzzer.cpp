// Fuzzes morvac-check on one input, in process, and checks its central promise against a
// separate run of morvac's own front end on the copy: the verdict is what morvac does; and a
// rewritten copy of a pure program behaves as the program on random traces.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "check_file.h"
#include "in_process.h"
#include "verify_copy.h"

namespace {

std::string scratch_path;

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool stop_is_noted(const FileReport& report) {
  return std::any_of(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
    if (f.span.begin != report.stop_at.begin) return false;
    if (f.rule == std::string_view("first-stop")) return ends_with(f.message, report.stop_message);
    return f.message == report.stop_message && !f.notes.empty();
  });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  scratch_path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                 "/morvac-check-fuzz-" + std::to_string(getpid()) + ".qrl";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  const FileReport report = check_source(source);
  for (const std::string& what : report.inconsistencies) std::fprintf(stderr, "%s\n", what.c_str());
  check(report.inconsistencies.empty(), "the checker's prediction agrees with morvac");

  const std::string& copy = report.copy.text;
  check(
      std::count(copy.begin(), copy.end(), '\n') == std::count(source.begin(), source.end(), '\n'),
      "the copy keeps every line");
  check((copy == source) == !report.copy.rewritten, "a copy is rewritten when it differs");

  // An error keeps the file from becoming Quarl: none stands in a file that becomes Quarl.
  if (report.verdict == Verdict::Translates || report.verdict == Verdict::TranslatesOnceRewritten) {
    for (const Finding& finding : report.findings) {
      if (finding.level == Level::Error) std::fprintf(stderr, "%s\n", finding.message.c_str());
      check(finding.level != Level::Error, "no error in a file that becomes Quarl");
    }
  }

  const InProcessRun run = translate_in_process(copy, scratch_path);
  const bool translates = run.status == 0 && run.parse_result == 0;
  switch (report.verdict) {
    case Verdict::Translates:
      check(translates && copy == source, "translates: morvac translates the file itself");
      break;
    case Verdict::TranslatesOnceRewritten:
      check(translates && copy != source, "translates once rewritten: morvac translates the copy");
      break;
    case Verdict::Stops:
      check(run.status == 1 && ends_with(run.errors, report.stop_message + "\n"),
            "stops: morvac stops on the copy with the message of the verdict");
      check(stop_is_noted(report), "stops: a finding at the stop's place carries its note");
      break;
    case Verdict::CannotRead:
      check(run.status == 0 && run.parse_result != 0, "cannot be read: morvac's parser fails");
      break;
  }

  // A rewritten copy of a pure program behaves as the program (a few short traces: the
  // fuzzer tries many programs).
  if (report.copy.rewritten) {
    const Verification verification =
        verify_copy("fuzz.strl", std::string(source), copy, 3, 12, size);
    if (verification.outcome == Verification::Outcome::Differs) {
      std::fprintf(stderr, "%s\n", verification.message.c_str());
    }
    check(verification.outcome != Verification::Outcome::Differs,
          "the copy behaves as the program");
  }
  return 0;
}
