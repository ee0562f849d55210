// Opens the formspp text pager on a sample document: a simulation report of three pages.
//
// Usage: pager_demo [--english] [--viewer PROGRAM]
//   --english  English labels and messages (French by default)
//   --viewer   the program that the "pdf file" button opens tmp.pdf with
#include <cstring>
#include <iostream>
#include <list>
#include <string>

#include "formspp.h"
#include "sample_report.h"

int main(int argc, char** argv) {
  bool english = false;
  std::string viewer;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--english") == 0) {
      english = true;
    } else if (std::strcmp(argv[i], "--viewer") == 0 && i + 1 < argc) {
      viewer = argv[++i];
    } else {
      std::cerr << "usage: pager_demo [--english] [--viewer PROGRAM]" << std::endl;
      return 2;
    }
  }
  std::list<std::string> report = sample_report(english);
  OFD_afficheur pager(nullptr, english ? 1 : 0);
  pager.activation(report, sample_report_title(english), viewer);
  return 0;
}
