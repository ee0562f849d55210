// The sample document of pager_demo: a simulation report of three pages.
#ifndef MORVAC_EXAMPLES_PAGER_DEMO_SAMPLE_REPORT_H
#define MORVAC_EXAMPLES_PAGER_DEMO_SAMPLE_REPORT_H

#include <list>
#include <string>

// Returns the report's lines in the pager's markup, in English or French.
std::list<std::string> sample_report(bool english);

// Returns the report's title, in English or French.
std::string sample_report_title(bool english);

#endif  // MORVAC_EXAMPLES_PAGER_DEMO_SAMPLE_REPORT_H
