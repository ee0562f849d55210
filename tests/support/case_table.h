// Table-driven tests whose cases live in data files beside them.
//
// A case file holds one case a line, its fields separated by tabs: the name of the function under
// test, its arguments, the field "=>", then the expected results. Empty lines and lines that start
// with '#' are comments. In every field, \t \n \s \0 \\ stand for a tab, a line end, a blank, a NUL
// and a backslash, \xHH for any byte, \[N]c for N copies of the character c, \[N:text] for N
// copies of a text without escapes or ']', and \e for nothing (to write an empty field). An
// expected result written ~value is compared as a double within four units in the last place.
#ifndef MORVAC_TESTS_CASE_TABLE_H
#define MORVAC_TESTS_CASE_TABLE_H

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using CaseFields = std::vector<std::string>;
// Calls the function under test with a case's arguments; returns its results as texts.
using CaseFunction = std::function<CaseFields(const CaseFields& args)>;

// Runs every case of the file at path through functions and expects its results, and that it
// wrote nothing on standard error; for the functions named in tracing, what they wrote there is
// their last result. Each mismatch is reported with the file's line.
void expect_cases(const std::string& path, const std::map<std::string, CaseFunction>& functions,
                  const std::set<std::string>& tracing = {});

// Returns the token names of a bison grammar by their numbers, from its "%token NAME NUMBER"
// declarations, so that tables name tokens as the grammar does.
std::map<int, std::string> grammar_token_names(const std::string& grammar_path);

#endif  // MORVAC_TESTS_CASE_TABLE_H
