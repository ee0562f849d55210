// Opens the formspp text pager on a sample document: a simulation report of three pages.
//
// Usage: pager_demo [--english] [--viewer PROGRAM]
//   --english  English labels and messages (French by default)
//   --viewer   the program that the "pdf file" button opens tmp.pdf with
#include <FL/Fl.H>

#include <cstring>
#include <iostream>
#include <list>
#include <string>

#include "formspp.h"

namespace {

std::list<std::string> sample_report(bool english) {
  std::list<std::string> lines = {
      "#C 80 ",
      english ? "Run of module WATCH_DOG, 180 reactions"
              : "Execution du module WATCH_DOG, 180 reactions",
      "#C 10 T14 T14 T14 T30 ",
      "#T",
      english ? "reaction# inputs# outputs# state# comment"
              : "reaction# entrees# sorties# etat# commentaire",
      "#T",
  };
  const char* const comments[] = {"", "", "timer armed", "", "", "alarm (late)"};
  for (int step = 1; step <= 180; ++step) {
    const bool second = step % 3 == 0;
    const bool alarm = step % 6 == 5;
    lines.push_back(std::to_string(step) + "# " + (second ? "SECOND" : "-") + "# " +
                    (alarm ? "ALARM" : "-") + "# " + (step % 2 == 0 ? "wait" : "count") + "# " +
                    comments[step % 6]);
    if (step % 20 == 0) lines.push_back("#T");
  }
  lines.push_back("#T");
  lines.push_back(english ? "end of report" : "fin du rapport");
  return lines;
}

}  // namespace

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
  pager.activation(
      report, english ? "WATCH_DOG simulation report" : "Rapport de simulation WATCH_DOG", viewer);
  return 0;
}
