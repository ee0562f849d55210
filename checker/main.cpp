// morvac-check: where, exactly, Esterel v5 programs cannot become Quarl with morvac.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "check_file.h"
#include "command_line.h"
#include "sarif_output.h"
#include "text_output.h"
#include "verify_copy.h"

namespace fs = std::filesystem;

namespace {

// Reads a file as morvac would (a directory is no file); returns why it cannot, or "".
std::string read_input(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return std::cin.bad() ? "cannot read standard input" : "";
  }
  std::error_code error;
  if (fs::is_directory(name, error)) return "cannot read " + name + ": it is a directory";
  std::ifstream in(name, std::ios::binary);
  if (!in) return "cannot open " + name;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  if (in.bad()) return "cannot read " + name;
  if (text.size() >= 0xFFFFFFFFu) return name + " is larger than 4 GiB";
  return "";
}

// Returns whether writing the copy to path would overwrite one of the files.
bool names_an_input(const std::string& path, const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    if (file == "-") continue;
    std::error_code error;
    if (fs::equivalent(path, file, error) && !error) return true;
    if (fs::absolute(path, error).lexically_normal() ==
        fs::absolute(file, error).lexically_normal())
      return true;
  }
  return false;
}

// The finding of a copy's verification, first: it is about the whole file.
void add_verification(FileReport& report, const Verification& verification) {
  const Level level =
      verification.outcome == Verification::Outcome::Differs ? Level::Error : Level::Note;
  report.findings.insert(report.findings.begin(),
                         Finding{esterel::Span{}, level, "verify", verification.message, {}});
}

bool write_copy(const std::string& path, const std::string& text) {
  if (path == "-") {
    std::cout << text;
    return static_cast<bool>(std::cout.flush());
  }
  std::ofstream copy(path, std::ios::binary | std::ios::trunc);
  copy << text;
  return static_cast<bool>(copy.flush());
}

}  // namespace

int main(int argc, char** argv) {
  Options options = parse_command_line(argc, argv);
  if (options.error.empty() && !options.copy_path.empty() && options.copy_path != "-" &&
      names_an_input(options.copy_path, options.files)) {
    options.error = "-o " + options.copy_path + " would overwrite the program it copies";
  }
  if (!options.error.empty()) {
    std::cerr << "morvac-check: " << options.error << '\n' << kUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kHelp;
    return 0;
  }
  if (options.version) {
    std::cout << "morvac-check " << MORVAC_VERSION << '\n';
    return 0;
  }
  std::ios::sync_with_stdio(false);
  // With the copy on standard output, the findings go to standard error.
  std::ostream& out = options.copy_path == "-" ? std::cerr : std::cout;
  int status = 0;
  int verdicts[4] = {};
  // Every file first: a run in one names modules of the others.
  std::vector<std::pair<std::string, std::string>> read;  // name and text, the checked first
  std::size_t checked_count = 0;
  for (const std::vector<std::string>* names : {&options.files, &options.module_files}) {
    for (const std::string& name : *names) {
      std::string source;
      const std::string problem = read_input(name, source);
      if (!problem.empty()) {
        std::cerr << "morvac-check: " << problem << '\n';
        status = 2;
        continue;
      }
      read.emplace_back(name, std::move(source));
    }
    if (names == &options.files) checked_count = read.size();
  }
  std::vector<std::string_view> sources;
  sources.reserve(read.size());
  for (const auto& file : read) sources.emplace_back(file.second);
  std::vector<FileReport> reports = check_sources(sources, checked_count);
  std::vector<CheckedFile> checked;
  for (std::size_t i = 0; i < checked_count; ++i) {
    const std::string& name = read[i].first;
    FileReport& report = reports[i];
    if (options.verify_traces > 0 && report.copy.rewritten) {
      std::vector<std::pair<std::string, std::string>> others;
      for (std::size_t j = 0; j < read.size(); ++j) {
        if (j != i) others.push_back(read[j]);
      }
      add_verification(report, verify_copy(name, read[i].second, report.copy.text,
                                           options.verify_traces, kVerifyInstants, 1, others));
    }
    LineIndex lines(read[i].second);
    CheckedFile file{name, std::move(read[i].second), std::move(report), std::move(lines)};
    if (!options.copy_path.empty() && !write_copy(options.copy_path, file.report.copy.text)) {
      std::cerr << "morvac-check: cannot write " << options.copy_path << '\n';
      status = 2;
    }
    ++verdicts[static_cast<int>(file.report.verdict)];
    const bool differs =
        std::any_of(file.report.findings.begin(), file.report.findings.end(), [](const Finding& f) {
          return f.level == Level::Error && std::string(f.rule) == "verify";
        });
    if ((file.report.verdict != Verdict::Translates || differs) && status == 0) status = 1;
    if (options.format == Format::Text) {
      write_text(out, file, options.columns);
    } else {
      checked.push_back(std::move(file));
    }
  }
  if (options.format == Format::Sarif) {
    write_sarif(out, checked, MORVAC_VERSION);
  } else if (options.files.size() > 1) {
    write_summary(out, verdicts);
  }
  out.flush();
  return status;
}
