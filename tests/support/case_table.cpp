#include "case_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Returns the fields of a line cut at its tabs.
CaseFields split_fields(const std::string& line) {
  CaseFields fields;
  std::string::size_type start = 0;
  for (std::string::size_type tab; (tab = line.find('\t', start)) != std::string::npos;) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool same_double(const std::string& actual, const std::string& expected) {
  using Double = testing::internal::FloatingPoint<double>;
  return Double(std::strtod(actual.c_str(), nullptr))
      .AlmostEquals(Double(std::strtod(expected.c_str(), nullptr)));
}

// Returns field with its escapes replaced by the bytes they stand for.
std::string decode_case_field(const std::string& field) {
  std::string text;
  for (std::string::size_type i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      text += field[i];
      continue;
    }
    const char code = field[++i];
    if (code == 'x' && i + 2 < field.size()) {
      text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (code == '[') {
      const std::string::size_type close = field.find(']', i);
      const std::string::size_type colon = std::min(field.find(':', i), close);
      const std::string piece = colon < close ? field.substr(colon + 1, close - colon - 1)
                                              : std::string(1, field[close + 1]);
      for (auto count = std::stoul(field.substr(i + 1, colon - i - 1)); count > 0; --count) {
        text += piece;
      }
      i = colon < close ? close : close + 1;
    } else if (code != 'e') {
      const std::string from = "tns0", to = {'\t', '\n', ' ', '\0'};
      const std::string::size_type at = from.find(code);
      text += at == std::string::npos ? code : to[at];
    }
  }
  return text;
}

// Returns text written as a case field: the escapes of decode_case_field for tabs, line ends,
// NULs, backslashes, bytes outside printable ASCII and the empty field.
std::string encode_case_field(const std::string& text) {
  if (text.empty()) return "\\e";
  std::string field;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      field += "\\t";
    } else if (c == '\n') {
      field += "\\n";
    } else if (c == '\0') {
      field += "\\0";
    } else if (c == '\\') {
      field += "\\\\";
    } else if (byte < 0x20 || byte >= 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      field += "\\x";
      field += kHex[byte >> 4];
      field += kHex[byte & 15];
    } else {
      field += c;
    }
  }
  return field;
}

}  // namespace

void expect_cases(const std::string& path, const std::map<std::string, CaseFunction>& functions,
                  const std::set<std::string>& tracing) {
  std::ifstream file(path);
  ASSERT_TRUE(file) << "cannot read " << path;
  int line_number = 0;
  int cases = 0;
  // MORVAC_UPDATE_TABLES=1 writes the results back as the expected ones (review the diff).
  const bool update = std::getenv("MORVAC_UPDATE_TABLES") != nullptr;
  std::string updated;
  for (std::string line; std::getline(file, line);) {
    ++line_number;
    if (line.empty() || line[0] == '#') {
      updated += line + "\n";
      continue;
    }
    SCOPED_TRACE(testing::Message() << path << ":" << line_number << ": " << line);
    CaseFields fields = split_fields(line);
    for (std::string& field : fields) field = decode_case_field(field);
    const auto arrow = std::find(fields.begin(), fields.end(), "=>");
    const auto function = functions.find(fields[0]);
    if (arrow == fields.end() || function == functions.end()) {
      ADD_FAILURE() << "not a case: no \"=>\" or an unknown function";
      continue;
    }
    testing::internal::CaptureStderr();
    CaseFields results = function->second(CaseFields(fields.begin() + 1, arrow));
    const std::string written = testing::internal::GetCapturedStderr();
    if (tracing.count(fields[0]) != 0) {
      results.push_back(written);
    } else {
      EXPECT_EQ(written, "") << "on standard error";
    }
    const CaseFields expected(arrow + 1, fields.end());
    if (update) {  // the fields as written up to "=>", then the results
      const CaseFields raw = split_fields(line);
      for (std::size_t i = 0; i <= static_cast<std::size_t>(arrow - fields.begin()); ++i) {
        updated += (i == 0 ? "" : "\t") + raw[i];
      }
      for (const std::string& result : results) updated += "\t" + encode_case_field(result);
      updated += "\n";
    }
    EXPECT_EQ(results.size(), expected.size()) << "results";
    for (std::size_t i = 0; i < std::min(results.size(), expected.size()); ++i) {
      if (!expected[i].empty() && expected[i][0] == '~') {
        EXPECT_TRUE(same_double(results[i], expected[i].substr(1)))
            << results[i] << " result " << i;
      } else {
        EXPECT_EQ(results[i], expected[i]) << "result " << i;
      }
    }
    ++cases;
  }
  EXPECT_GT(cases, 0) << path << " holds no case";
  if (update) std::ofstream(path, std::ios::binary) << updated;
}

std::map<int, std::string> grammar_token_names(const std::string& grammar_path) {
  std::map<int, std::string> by_code;
  std::ifstream grammar(grammar_path);
  for (std::string line; std::getline(grammar, line);) {
    std::istringstream words(line.rfind("%token ", 0) == 0 ? line.substr(7) : "");
    std::string name;
    for (int number = 0; words >> name >> number;) by_code[number] = name;
  }
  return by_code;
}
