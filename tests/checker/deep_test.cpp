// Programs nested thousands deep (brackets, loops, traps, errors inside errors) are checked on a
// thread whose stack is small: no walk of the tree may recurse once per level.
#include <gtest/gtest.h>
#include <pthread.h>

#include <string>

#include "check_file.h"

namespace {

struct Job {
  const std::string* source;
  FileReport report;
};

void* check_job(void* data) {
  auto* job = static_cast<Job*>(data);
  job->report = check_source(*job->source);
  return nullptr;
}

// Checks source on a thread with a stack of 256 KiB, far less than one frame a level takes.
FileReport check_on_small_stack(const std::string& source) {
  Job job{&source, {}};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  EXPECT_EQ(0, pthread_create(&thread, &attributes, check_job, &job));
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  return std::move(job.report);
}

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(CheckerDeepPrograms, WalkedWithoutRecursion) {
  constexpr int kDepth = 4000;
  struct Case {
    const char* name;
    std::string source;
    Verdict verdict;
  };
  const Case cases[] = {
      {"brackets",
       "module M:\noutput O;\n" + repeat("[", kDepth) + "emit O" + repeat("]", kDepth) +
           "\nend module\n",
       Verdict::CannotRead},  // deeper than morvac's parser goes
      {"loops",
       "module M:\n" + repeat("loop ", kDepth) + "pause" + repeat(" end", kDepth) +
           "\nend module\n",
       Verdict::CannotRead},
      {"traps around an exit",
       "module M:\n" + repeat("trap T in ", kDepth) + "exit T" + repeat(" end", kDepth) +
           "\nend module\n",
       Verdict::CannotRead},
      // The copy writes each `every` as a loop in brackets: nested 300 deep, more than
      // morvac's parser stack takes.
      {"every inside every",
       "module M:\ninput S;\n" + repeat("every S do ", 300) + "nothing" + repeat(" end", 300) +
           "\nend module\n",
       Verdict::CannotRead},
      {"every inside every, not rewritten",
       "module M:\ninput S;\n" + repeat("every 2 S do ", 300) + "nothing" + repeat(" end", 300) +
           "\nend module\n",
       Verdict::Stops},
      {"errors inside errors", "module M:\n" + repeat("[ do ; ", kDepth) + "\n",
       Verdict::CannotRead},
      {"unclosed brackets", "module M:\noutput O;\n" + repeat("[emit O;", kDepth) + "\n",
       Verdict::CannotRead},
  };
  for (const Case& c : cases) {
    const FileReport report = check_on_small_stack(c.source);
    EXPECT_EQ(c.verdict, report.verdict) << c.name;
    EXPECT_TRUE(report.inconsistencies.empty()) << c.name;
    EXPECT_FALSE(report.findings.empty()) << c.name;
  }
}

}  // namespace
