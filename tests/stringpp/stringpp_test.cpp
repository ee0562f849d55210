// Stringpp, table-driven: one case file per family of functions (the *.tsv files beside this one),
// the examples of the header run through the same table, and the cases a table cannot hold (the
// working directory, deep paths, a small thread stack).
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Stringpp.h"
#include "case_table.h"
#include "header_examples.h"

namespace {

using F = CaseFields;

long long integer(const std::string& s) {
  return std::strtoll(s.c_str(), nullptr, 10);
}
unsigned long long natural(const std::string& s) {
  return std::strtoull(s.c_str(), nullptr, 10);
}
int small(const std::string& s) {
  return static_cast<int>(integer(s));
}
char first(const std::string& s) {
  return s.empty() ? '\0' : s[0];
}
std::string real(double v) {  // 17 digits: equal texts mean equal doubles
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}
template <typename T>
std::string text(T v) {
  return std::to_string(v);
}
// Returns the result of f for each character of s, one digit each.
std::string each(const std::string& s, int (*f)(char)) {
  std::string digits;
  for (const char c : s) digits += text(f(c));
  return digits;
}

const std::map<std::string, CaseFunction> kFunctions = {
    {"hex1toS", [](const F& a) -> F { return {hex1toS(small(a[0]))}; }},
    {"hex2toS", [](const F& a) -> F { return {hex2toS(small(a[0]))}; }},
    {"hex4toS", [](const F& a) -> F { return {hex4toS(small(a[0]))}; }},
    {"hex8toS", [](const F& a) -> F { return {hex8toS(integer(a[0]))}; }},
    {"bin8toS", [](const F& a) -> F { return {bin8toS(small(a[0]))}; }},
    {"ctoS", [](const F& a) -> F { return {ctoS(first(a[0]))}; }},
    {"unslong2S", [](const F& a) -> F { return {unslong2S(natural(a[0]))}; }},
    {"unslonglong2S", [](const F& a) -> F { return {unslonglong2S(natural(a[0]))}; }},
    {"long2S", [](const F& a) -> F { return {long2S(integer(a[0]))}; }},
    {"longlong2S", [](const F& a) -> F { return {longlong2S(integer(a[0]))}; }},
    {"unslongbyS", [](const F& a) -> F { return {unslongbyS(natural(a[0]))}; }},
    {"dtoS",
     [](const F& a) -> F { return {dtoS(std::strtod(a[0].c_str(), nullptr), small(a[1]))}; }},
    {"decimal",
     [](const F& a) -> F {
       return {text(Stoi(a[0])), text(Stol(a[0])), text(Stoll(a[0]))};
     }},
    {"hex",
     [](const F& a) -> F {
       return {text(Stouhex(a[0])), text(Stoshex(a[0]))};
     }},
    {"bin",
     [](const F& a) -> F {
       return {text(Stoubin(a[0])), text(Stosbin(a[0]))};
     }},
    {"Stoloruhex", [](const F& a) -> F { return {text(Stoloruhex(a[0], a[1]))}; }},
    {"Stohex", [](const F& a) -> F { return {text(Stohex(a[0], a[1]))}; }},
    {"decimal_number",
     [](const F& a) -> F {
       return {text(checkdouble(a[0], first(a[1]))), real(Stod(a[0], first(a[1])))};
     }},
    {"checks",
     [](const F& a) -> F {
       return {text(checkuint(a[0])),     text(checkint(a[0])), text(checkhex(a[0])),
               text(checkhexintel(a[0])), text(checkbin(a[0])), text(beginbynumber(a[0]))};
     }},
    {"file_name",
     [](const F& a) -> F {
       return {extract_filename_name(a[0]), extract_filename_path(a[0])};
     }},
    {"supress_filename_extension",
     [](const F& a) -> F { return {supress_filename_extension(a[0])}; }},
    {"relative_directory_path",
     [](const F& a) -> F { return {relative_directory_path(a[0], a[1])}; }},
    {"my_after", [](const F& a) -> F { return {my_after(a[0], small(a[1]))}; }},
    {"my_before", [](const F& a) -> F { return {my_before(a[0], small(a[1]))}; }},
    {"my_at", [](const F& a) -> F { return {my_at(a[0], small(a[1]), small(a[2]))}; }},
    {"search",
     [](const F& a) -> F {
       return {text(contains(a[0], a[1])), text(find(a[0], a[1]))};
     }},
    {"char_occurences", [](const F& a) -> F { return {text(char_occurences(a[0], first(a[1])))}; }},
    {"contains_token", [](const F& a) -> F { return {text(contains_token(a[0], a[1]))}; }},
    {"est_lc_each", [](const F& a) -> F { return {each(a[0], est_lc)}; }},
    {"records",
     [](const F& a) -> F {
       std::string next_rest = "old", last_rest = "old";
       const std::string next = next_record(a[0], first(a[1]), next_rest);
       return {next, next_rest, last_record(a[0], first(a[1]), last_rest), last_rest};
     }},
    {"records_in_place",
     [](const F& a) -> F {
       std::string same = a[0];
       const std::string next = next_record(same, first(a[1]), same), next_rest = same;
       return {next, next_rest, last_record(same, first(a[1]), same), same};
     }},
    {"next_record_of_set",
     [](const F& a) -> F {
       std::string rest = "old";
       char found = '?';
       return {next_record(a[0], a[1].c_str(), rest, found), rest, std::string(1, found)};
     }},
    {"next_record_without_set",
     [](const F& a) -> F {
       std::string rest = "old";
       char found = '?';
       return {next_record(a[0], nullptr, rest, found), rest, std::string(1, found)};
     }},
    {"next_Stringtoken",
     [](const F& a) -> F {
       std::string rest = "old";
       return {next_Stringtoken(a[0], first(a[1]), &rest), rest};
     }},
    {"next_Stringtoken_without_rest",
     [](const F& a) -> F { return {next_Stringtoken(a[0], first(a[1]), nullptr)}; }},
    {"tokens",
     [](const F& a) -> F {
       std::string rest = a[0], joined;
       for (int i = 0; i < 100 && !rest.empty(); ++i) {
         joined += (joined.empty() ? "" : "|") + next_Stringtoken(rest, ' ', &rest);
       }
       return {joined};
     }},
    {"downcase", [](const F& a) -> F { return {downcase(a[0])}; }},
    {"upcase", [](const F& a) -> F { return {upcase(a[0])}; }},
    {"upcase_accent", [](const F& a) -> F { return {upcase_accent(a[0])}; }},
    {"upcase_accent2", [](const F& a) -> F { return {upcase_accent2(a[0])}; }},
    {"iso_letter_each",
     [](const F& a) -> F { return {each(a[0], check_ISO_8859_1_alphabetical_letter)}; }},
    {"identifier",
     [](const F& a) -> F {
       return {text(checkvarname(a[0])), text(checkvarname_with_pre_underscore(a[0]))};
     }},
    {"substitute_string", [](const F& a) -> F { return {substitute_string(a[0], a[1], a[2])}; }},
    {"substitute_char_by_text",
     [](const F& a) -> F { return {substitute_char(a[0], first(a[1]), a[2])}; }},
    {"substitute_char",
     [](const F& a) -> F { return {substitute_char(a[0], first(a[1]), first(a[2]))}; }},
    {"substitute_token", [](const F& a) -> F { return {substitute_token(a[0], a[1], a[2])}; }},
    {"cancel_begin_end_spaces", [](const F& a) -> F { return {cancel_begin_end_spaces(a[0])}; }},
    {"clever_substitute_space",
     [](const F& a) -> F { return {clever_substitute_space(a[0], first(a[1]))}; }},
    {"bdelete", [](const F& a) -> F { return {bdelete(a[0])}; }},
    {"latex_String_filter", [](const F& a) -> F { return {latex_String_filter(a[0])}; }},
    {"rtf_String_filter", [](const F& a) -> F { return {rtf_String_filter(a[0])}; }},
    {"levenshtein", [](const F& a) -> F { return {text(levenshtein(a[0], a[1]))}; }},
    {"Stoa",
     [](const F& a) -> F {
       std::string source = a[0];
       const std::unique_ptr<char[]> copy(Stoa(source));
       source.assign(source.size(), 'z');
       return {std::string(copy.get(), a[0].size() + 1)};
     }},
};

class StringppCases : public testing::TestWithParam<const char*> {};

TEST_P(StringppCases, MatchTheirTable) {
  expect_cases(std::string(STRINGPP_CASES_DIR) + "/" + GetParam() + ".tsv", kFunctions,
               {"Stohex", "relative_directory_path", "levenshtein"});
}

INSTANTIATE_TEST_SUITE_P(Family, StringppCases,
                         testing::Values("numbers_in", "numbers_out", "paths", "records", "letters",
                                         "substitution"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// Where the table runs each function of the header's examples: the entry and the place of the
// result among its results; the other functions have an entry of their own name, result first.
const std::map<std::string, std::pair<std::string, std::size_t>> kGroupedFunctions = {
    {"Stoi", {"decimal", 0}},
    {"Stouhex", {"hex", 0}},
    {"Stoshex", {"hex", 1}},
    {"Stoubin", {"bin", 0}},
    {"Stosbin", {"bin", 1}},
    {"checkuint", {"checks", 0}},
    {"checkint", {"checks", 1}},
    {"checkhex", {"checks", 2}},
    {"checkhexintel", {"checks", 3}},
    {"checkbin", {"checks", 4}},
    {"checkdouble", {"decimal_number", 0}},
    {"Stod", {"decimal_number", 1}},
    {"extract_filename_name", {"file_name", 0}},
    {"extract_filename_path", {"file_name", 1}},
    {"contains", {"search", 0}},
    {"find", {"search", 1}},
    {"est_lc", {"est_lc_each", 0}},
    {"checkvarname", {"identifier", 0}},
    {"checkvarname_with_pre_underscore", {"identifier", 1}},
};

// Every example that the header's comments write as a call holds, run through the table.
TEST(HeaderExamples, EveryExampleOfTheHeaderHolds) {
  std::size_t written = 0;
  const std::vector<HeaderExample> examples = header_examples(STRINGPP_HEADER, written);
  EXPECT_EQ(written, examples.size()) << "an example that cannot be read is not run";
  EXPECT_GT(examples.size(), 100U);
  testing::internal::CaptureStderr();  // the traces of Stohex and relative_directory_path
  for (const HeaderExample& example : examples) {
    const auto grouped = kGroupedFunctions.find(example.function);
    const auto [entry, place] = grouped != kGroupedFunctions.end()
                                    ? grouped->second
                                    : std::make_pair(example.function, std::size_t{0});
    const auto function = kFunctions.find(entry);
    if (function == kFunctions.end()) {
      ADD_FAILURE() << "the table cannot run " << example.written;
      continue;
    }
    const std::string got = function->second(example.arguments).at(place);
    EXPECT_TRUE(example.numeric_result ? std::strtod(got.c_str(), nullptr) ==
                                             std::strtod(example.result.c_str(), nullptr)
                                       : got == example.result)
        << example.written << ", but it is " << got;
  }
  testing::internal::GetCapturedStderr();
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

// Worker for the small-stack test: the distance of two texts at the length limit.
void* distance_at_limit(void* result) {
  *static_cast<int*>(result) = levenshtein(std::string(998, 'a'), std::string(998, 'b'));
  return nullptr;
}

TEST(EditDistance, RunsOnASmallThreadStack) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  // Far below the 4 MB a full distance table would take.
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, std::size_t{256} * 1024), 0);
  int distance = 0;
  pthread_t worker;
  ASSERT_EQ(pthread_create(&worker, &attributes, distance_at_limit, &distance), 0);
  ASSERT_EQ(pthread_join(worker, nullptr), 0);
  pthread_attr_destroy(&attributes);
  EXPECT_EQ(distance, 998);
}

}  // namespace
