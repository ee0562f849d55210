#include "sample_report.h"

std::list<std::string> sample_report(bool english) {
  std::list<std::string> lines = {
      "#C 80 ",
      english ? "Run of module WATCH_DOG, 180 reactions"
              : "Exécution du module WATCH_DOG, 180 réactions",
      "#C 10 T14 T14 T14 T30 ",
      "#T",
      english ? "reaction# inputs# outputs# state# comment"
              : "réaction# entrées# sorties# état# commentaire",
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
  if (lines.back() != "#T") lines.push_back("#T");
  // The closing line is no cell of the table: it takes the whole width again.
  lines.push_back("#C 80 ");
  lines.push_back(english ? "end of report" : "fin du rapport");
  return lines;
}

std::string sample_report_title(bool english) {
  return english ? "WATCH_DOG simulation report" : "Rapport de simulation WATCH_DOG";
}
