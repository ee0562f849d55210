// morvac-check: where, exactly, Esterel v5 programs cannot become Quarl with morvac.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "check_file.h"
#include "command_line.h"
#include "sarif_output.h"
#include "text_output.h"

namespace {

bool read_input(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_command_line(argc, argv);
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
  int status = 0;
  int verdicts[4] = {};
  std::vector<CheckedFile> checked;
  for (const std::string& name : options.files) {
    std::string source;
    if (!read_input(name, source)) {
      std::cerr << "morvac-check: cannot open " << name << '\n';
      status = 2;
      continue;
    }
    if (source.size() >= 0xFFFFFFFFu) {
      std::cerr << "morvac-check: " << name << " is larger than 4 GiB\n";
      status = 2;
      continue;
    }
    CheckedFile file{name, check_source(source), LineIndex(source)};
    if (!options.copy_path.empty()) {
      std::ofstream copy(options.copy_path, std::ios::binary | std::ios::trunc);
      copy << file.report.copy.text;
      if (!copy.flush()) {
        std::cerr << "morvac-check: cannot write " << options.copy_path << '\n';
        status = 2;
      }
    }
    ++verdicts[static_cast<int>(file.report.verdict)];
    // As written: morvac translates the file itself, which holds no error.
    const bool as_written = file.report.verdict == Verdict::Translates &&
                            std::none_of(file.report.findings.begin(), file.report.findings.end(),
                                         [](const Finding& f) { return f.level == Level::Error; });
    if (!as_written && status == 0) status = 1;
    if (options.format == Format::Text) {
      write_text(std::cout, file.name, file.lines, file.report);
    } else {
      checked.push_back(std::move(file));
    }
  }
  if (options.format == Format::Sarif) {
    write_sarif(std::cout, checked, MORVAC_VERSION);
  } else if (options.files.size() > 1) {
    write_summary(std::cout, verdicts);
  }
  std::cout.flush();
  return status;
}
