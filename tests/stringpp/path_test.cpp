// File names and paths, with the trace lines relative_directory_path writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Stringpp.h"

namespace {

TEST(FileNames, SplitAtTheLastSlash) {
  const struct {
    const char* path;
    const char* name;
    const char* directory;
  } cases[] = {
      {"a/b/c", "c", "a/b"},  {"a/b/", "", "a/b"}, {"name", "name", "."},
      {"/name", "name", "/"}, {"/", "", "/"},      {"", "", "."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(extract_filename_name(c.path), c.name);
    EXPECT_EQ(extract_filename_path(c.path), c.directory);
  }
}

TEST(FileNames, LoseTheExtensionOfTheLastNameOnly) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"a/b.c.d", "a/b.c"}, {"dir.x/file", "dir.x/file"},
      {"name.", "name"},    {"a..b", "a..b"},
      {".profile", ""},     {"dir/.profile", "dir/"},
      {"..", "."},          {"a.\\", "a.\\"},
      {"file.txt", "file"}, {"", ""},
      {"/", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(supress_filename_extension(c.path), c.expected) << c.path;
}

TEST(RelativePath, StepsUpFromTheFirstDifferingComponent) {
  const struct {
    const char* target;
    const char* base;
    const char* expected;
    const char* between;  // remainders traced on the intermediaire line, null when none
  } cases[] = {
      {"/home/u/p/src", "/home/u/q", "../p/src", "p/src|q"},
      {"/x/y", "/a/b", "../../x/y", "x/y|a/b"},
      {"/a/b", "/a/b", ".", nullptr},
      {"x/y", "a/b", "x/y", "x/y|a/b"},     // relative, nothing shared: unchanged
      {"/x", "a/b", "../..//x", "/x|a/b"},  // absolute against relative
      {"/a", "/a/b", "..", "|b"},
      {"/a/b/c", "/a", "b/c", "b/c|"},
      {"", "/x", "", "|x"},
      {"/a/b/", "/a/b", ".", "|"},  // equal up to a trailing slash
      {"a//", "a", ".", "|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target + std::string(" from ") + c.base);
    testing::internal::CaptureStderr();
    EXPECT_EQ(relative_directory_path(c.target, c.base), c.expected);
    std::string trace = "demarrage " + std::string(c.target) + "|" + c.base + "\n";
    if (c.between != nullptr) trace += "intermediaire: " + std::string(c.between) + "\n";
    trace += "--> " + std::string(c.expected) + "\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), trace);
  }
}

TEST(RelativePath, EmptyBaseIsTheWorkingDirectory) {
  const std::string cwd = my_current_directory();
  ASSERT_TRUE(std::filesystem::equivalent(cwd, std::filesystem::current_path()));
  testing::internal::CaptureStderr();
  EXPECT_EQ(relative_directory_path(cwd + "/sub", ""), "sub");
  EXPECT_EQ(
      testing::internal::GetCapturedStderr().rfind("demarrage " + cwd + "/sub|" + cwd + "\n", 0),
      0U);
}

}  // namespace
