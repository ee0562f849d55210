#include "sarif_output.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "text_output.h"

namespace {

struct RuleText {
  const char* id;
  const char* description;
};

// Every rule id the checker uses, in a fixed order (results name them by index too).
constexpr RuleText kRules[] = {
    {"syntax-error", "Esterel v5 syntax error"},
    {"lexical-error", "text that no Esterel v5 token takes"},
    {"comment", "a comment, which morvac does not read; the copy blanks it"},
    {"assign", "`:=`, which morvac reads as `assign`; the copy writes it so"},
    {"signal-value", "`?S`, which morvac cannot read"},
    {"trap-value", "`??T`, which morvac cannot read"},
    {"incompatibility", "`#` in a relation, which morvac cannot read"},
    {"module-dot", "a module closed by `.`, which morvac cannot read"},
    {"elsif", "`elsif`, which morvac reads as a name"},
    {"implies-arrow", "`=>`, which morvac reads as `=` and `>`"},
    {"not-equal", "`<>`, which morvac reads as `<` and `>`"},
    {"string-form", "a string that morvac does not read"},
    {"number-form", "a number that morvac reads otherwise"},
    {"minus-number", "a minus sign that morvac reads as part of a number"},
    {"glued-name", "tokens that morvac reads as one name"},
    {"other-reading", "text that morvac reads otherwise"},
    {"skipped-declaration", "a declaration that morvac skips"},
    {"refused-construct", "a construct that stops morvac"},
    {"without-quarl-text", "a construct without Quarl text, where morvac needs its text"},
    {"first-stop", "where morvac stops first"},
    {"morvac-syntax-error", "where morvac's parser fails on the copy"},
    {"internal", "the checker's prediction disagrees with morvac"},
};

int rule_index(const char* id) {
  for (int i = 0; i < static_cast<int>(std::size(kRules)); ++i) {
    if (std::strcmp(kRules[i].id, id) == 0) return i;
  }
  return -1;
}

std::string json(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x80) {
      // Bytes that are not ASCII are not known to be UTF-8: each is written as its own code point.
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A file name as a relative URI reference: unreserved characters and slashes as they are.
std::string uri(std::string_view name) {
  if (name == "-") return "stdin";
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::strchr("-._~/", c) != nullptr;
    if (plain && c != '\0') {
      out += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      out += escape;
    }
  }
  return out;
}

std::string location(const CheckedFile& file, Span span, const std::string* message) {
  const LineColumn at = file.lines.at(span.begin);
  std::string out = "{";
  if (message != nullptr) out += "\"message\": {\"text\": " + json(*message) + "}, ";
  out += "\"physicalLocation\": {\"artifactLocation\": {\"uri\": " + json(uri(file.name)) +
         "}, \"region\": {\"startLine\": " + std::to_string(at.line) +
         ", \"startColumn\": " + std::to_string(at.column) + "}}}";
  return out;
}

}  // namespace

void write_sarif(std::ostream& out, const std::vector<CheckedFile>& files, const char* version) {
  out << "{\n  \"$schema\": "
         "\"https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/"
         "sarif-schema-2.1.0.json\",\n  \"version\": \"2.1.0\",\n  \"runs\": [{\n"
      << "    \"tool\": {\"driver\": {\"name\": \"morvac-check\", \"version\": " << json(version)
      << ", \"rules\": [";
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    out << (i == 0 ? "\n" : ",\n") << "      {\"id\": " << json(kRules[i].id)
        << ", \"shortDescription\": {\"text\": " << json(kRules[i].description) << "}}";
  }
  out << "]}},\n    \"results\": [";
  bool first = true;
  for (const CheckedFile& file : files) {
    for (const Finding& finding : file.report.findings) {
      out << (first ? "\n" : ",\n") << "      {\"ruleId\": " << json(finding.rule)
          << ", \"ruleIndex\": " << rule_index(finding.rule) << ", \"level\": \""
          << level_name(finding.level) << "\", \"message\": {\"text\": " << json(finding.message)
          << "}, \"locations\": [" << location(file, finding.span, nullptr) << "]";
      if (!finding.notes.empty()) {
        out << ", \"relatedLocations\": [";
        for (std::size_t i = 0; i < finding.notes.size(); ++i) {
          out << (i == 0 ? "" : ", ")
              << location(file, finding.notes[i].span, &finding.notes[i].message);
        }
        out << "]";
      }
      out << "}";
      first = false;
    }
  }
  out << "],\n    \"properties\": {\"verdicts\": [";
  for (std::size_t i = 0; i < files.size(); ++i) {
    out << (i == 0 ? "" : ", ")
        << json(verdict_line(files[i].name, files[i].lines, files[i].report));
  }
  out << "]}\n  }]\n}\n";
}
