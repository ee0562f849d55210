// Editors as real clients of morvac-check's findings, over every golden input: Vim (its default
// errorformat, the quickfix list) reads columns in bytes, Emacs (compilation mode, default
// settings) in display columns, GCC's default. Each finding and note must land on its own place:
// its line, and the text that the finding's span begins with (at a line's end, for a missing
// token: Emacs past the last character, Vim on it; Emacs visits one place once). The inputs are the
// golden files in valid UTF-8, the encoding both editors read them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "check_file.h"
#include "line_index.h"
#include "run_process.h"

namespace fs = std::filesystem;

namespace {

struct Landing {
  std::uint32_t line;
  std::string text;        // from the place, to the line's end (12 bytes at most)
  bool past_last = false;  // the end of a file whose last line is ended: no line of an editor's
  std::string place;       // file and offset
};

bool valid_utf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return text.find('\0') == std::string::npos && text.find('\r') == std::string::npos;
}

std::vector<std::string> golden_inputs() {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(CHECKER_GOLDEN_DIR)) {
    if (entry.path().extension() != ".strl" || !valid_utf8(read_file(entry.path().string()))) {
      continue;
    }
    names.push_back(fs::relative(entry.path(), CHECKER_GOLDEN_DIR).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

Landing landing_at(const std::string& source, const LineIndex& lines, Span span) {
  // A byte-order mark is the encoding to editors, no character: they land after it.
  if (span.begin == 0 && source.rfind("\xEF\xBB\xBF", 0) == 0) span.begin = 3;
  const std::size_t end = std::min(source.find('\n', span.begin), source.size());
  const bool past_last = span.begin == source.size() && !source.empty() && source.back() == '\n';
  return {lines.at(span.begin).line,
          source.substr(span.begin, std::min<std::size_t>(12, end - span.begin)), past_last, ""};
}

// Where each finding of the inputs, then each of its notes, should land, in output order; with
// merged, a finding at the place of the one before it is one (Emacs visits a place once).
std::vector<Landing> expected_landings(const std::vector<std::string>& names, bool merged) {
  std::vector<Landing> out;
  // Checked together, as one command line checks them: a file lends its modules to the others.
  std::vector<std::string> sources;
  for (const std::string& name : names) {
    sources.push_back(read_file(std::string(CHECKER_GOLDEN_DIR) + "/" + name));
  }
  const std::vector<FileReport> reports =
      check_sources(std::vector<std::string_view>(sources.begin(), sources.end()), sources.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    const std::string& source = sources[i];
    const LineIndex lines(source);
    const auto add = [&](Span span) {
      Landing landing = landing_at(source, lines, span);
      landing.place = name + ":" + std::to_string(span.begin);
      if (!merged || out.empty() || out.back().place != landing.place) out.push_back(landing);
    };
    for (const Finding& finding : reports[i].findings) {
      add(finding.span);
      for (const Note& note : finding.notes) add(note.span);
    }
  }
  return out;
}

std::vector<Landing> read_landings(const std::string& path) {
  std::vector<Landing> out;
  std::istringstream lines(read_file(path));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.find('\t');
    out.push_back({static_cast<std::uint32_t>(std::stoul(line.substr(0, tab))),
                   line.substr(tab + 1), false, ""});
  }
  return out;
}

// Runs morvac-check on the inputs with column_unit, then the editor on its findings; returns
// where the editor landed.
std::vector<Landing> landings_in(const std::vector<std::string>& command_of_editor,
                                 const std::string& column_unit,
                                 const std::vector<std::string>& names, const fs::path& work) {
  std::vector<std::string> check = {CHECK_BINARY, "-fdiagnostics-column-unit=" + column_unit};
  check.insert(check.end(), names.begin(), names.end());
  ProcessOptions options;
  options.directory = CHECKER_GOLDEN_DIR;
  write_file((work / "findings.txt").string(), run_process(check, options).out);
  std::vector<std::string> editor_command = {
      "/usr/bin/env", "FINDINGS=" + (work / "findings.txt").string(),
      "LANDINGS=" + (work / "landings.txt").string(), "SOURCES=" + std::string(CHECKER_GOLDEN_DIR),
      "HOME=" + work.string()};
  editor_command.insert(editor_command.end(), command_of_editor.begin(), command_of_editor.end());
  const ProcessResult editor = run_process(editor_command, options);
  EXPECT_EQ(0, editor.status) << editor.out << editor.err;
  return read_landings((work / "landings.txt").string());
}

void expect_same_places(const std::vector<Landing>& expected, const std::vector<Landing>& landed,
                        bool clamps_to_last_character) {
  ASSERT_EQ(expected.size(), landed.size()) << "one place per finding and note";
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "finding " << i + 1 << " on line " << expected[i].line);
    // Vim has no line after the last line end: it lands on the last line.
    const bool clamped = clamps_to_last_character && expected[i].past_last;
    EXPECT_EQ(expected[i].line - (clamped ? 1 : 0), landed[i].line);
    if (expected[i].text.empty() && clamps_to_last_character) continue;
    // The editors cut after 12 bytes or 12 characters: compare what both hold.
    const std::size_t common = std::min(expected[i].text.size(), landed[i].text.size());
    EXPECT_EQ(expected[i].text.substr(0, common), landed[i].text.substr(0, common));
    EXPECT_EQ(expected[i].text.empty(), landed[i].text.empty()) << landed[i].text;
  }
}

TEST(CheckerEditors, VimQuickfixLandsOnEachFindingWithByteColumns) {
  const std::vector<std::string> names = golden_inputs();
  const fs::path work = make_temp_directory();
  const std::vector<Landing> landed = landings_in(
      {"vim", "-u", "NONE", "-i", "NONE", "-N", "-n", "-es", "-S", EDITORS_DIR "/quickfix.vim"},
      "byte", names, work);
  expect_same_places(expected_landings(names, false), landed, true);
  fs::remove_all(work);
}

TEST(CheckerEditors, EmacsCompilationModeLandsOnEachFindingWithDisplayColumns) {
  const std::vector<std::string> names = golden_inputs();
  const fs::path work = make_temp_directory();
  const std::vector<Landing> landed = landings_in(
      {"emacs", "--batch", "-Q", "-l", EDITORS_DIR "/compilation.el"}, "display", names, work);
  expect_same_places(expected_landings(names, true), landed, false);
  fs::remove_all(work);
}

}  // namespace
