#include "sarif_output.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <string_view>

#include "text_output.h"

namespace {

struct RuleText {
  const char* id;
  const char* name;
  const char* short_description;
  const char* full_description;
  const char* help;
};

// Every rule id the checker uses, in a fixed order (results name them by index too). A rule's
// name differs from its id, also in letter case: SARIF readers take an id for an opaque key and
// show the name.
constexpr RuleText kRules[] = {
    {"syntax-error", "SyntaxError", "Esterel v5 syntax error",
     "The text is not Esterel v5: a token is missing or unexpected. morvac cannot read the file.",
     "Write the missing token where the message says, or remove the unexpected one."},
    {"lexical-error", "LexicalError", "a comment or string that is never closed",
     "A comment block that is never closed, or a string that the end of its line cuts: the rest "
     "of the file is read otherwise than it is written.",
     "Close the comment block or the string."},
    {"stray-character", "StrayCharacter", "a character that starts no Esterel token",
     "A character that starts no Esterel v5 token; morvac skips it as it skips blanks.",
     "Remove the character, or put it in a comment."},
    {"skipped-bytes", "SkippedBytes", "bytes that morvac skips as blanks",
     "Bytes that are no Esterel text (a byte-order mark, no-break spaces, NUL, other control or "
     "non-ASCII characters): morvac skips them as blanks. One finding a file, at the first.",
     "Replace them by plain blanks, or leave them: morvac reads the file as if they were blanks."},
    {"comment", "BlankedComment", "a comment, which the copy blanks",
     "A % comment, a %{ }% block or a C comment: morvac has no comments and would read its "
     "words. The copy blanks it, lines kept.",
     "Nothing to do: the copy written with -o is what morvac reads."},
    {"preprocessor-line", "PreprocessorLine", "a C preprocessor line, which the copy blanks",
     "A line for the C preprocessor (#include, #define, #ifdef...): morvac would read its words. "
     "The copy blanks it, lines kept.",
     "Run the C preprocessor first, or use the copy written with -o."},
    {"assign", "ColonEqualsAssignment", "`:=`, which the copy writes `assign`",
     "morvac reads an assignment or an initial value written with the keyword assign, not :=. "
     "The copy writes assign.",
     "Nothing to do: the copy written with -o is what morvac reads."},
    {"signal-value", "SignalValue", "`?S` or `pre(?S)`, which morvac reads otherwise",
     "morvac skips the ? of ?S and writes the signal's name where Esterel means its value; it "
     "cannot read pre(?S) where only an expression can stand.",
     "Check that the Quarl text means what the program means."},
    {"trap-value", "TrapValue", "`??T`, which morvac cannot read",
     "A trap's value ??T: morvac has no form for it.", "Rewrite the program without it."},
    {"incompatibility", "IncompatibleSignals",
     "`#` in a relation, which morvac cannot read; the copy blanks the relation",
     "A relation of incompatible signals written with #: morvac has no form for it. It skips "
     "every relation, so the copy blanks a relation declaration with #, lines kept; elsewhere # "
     "is an error.",
     "Nothing to do for a relation: the copy written with -o is what morvac reads."},
    {"derived-statement", "DerivedStatement",
     "a derived statement that morvac refuses, which the copy writes as Esterel defines it",
     "every, await n S, await immediate S, await S do, do watching, do upto, present case, "
     "repeat n times and an occurrence [S] are short forms that Esterel defines by statements "
     "that morvac translates. The copy writes the definition in their place, keywords replaced "
     "where they stand.",
     "Nothing to do: the copy written with -o is what morvac reads; morvac-check --verify runs "
     "both on random inputs."},
    {"module-instance", "ModuleInstance",
     "`run M` or `copymodule M`, which the copy writes out as M's body",
     "morvac has no runs of modules. The copy writes M's body in the run's place, on one line, "
     "with the names that the run renames replaced, and adds to the caller's declarations the "
     "data of M that it lacks. M is a module of one of the files checked or given with -m. A run "
     "is not written out where its signals bind to no signal there (an error), where M's data "
     "and the caller's disagree (an error), where M runs itself (an error), where a renamed name "
     "is declared again inside M, or where the copy would grow beyond 64 KiB for the run or "
     "1 MiB for the file.",
     "Nothing to do where it is written out: morvac-check --verify runs the program and the "
     "copy on random inputs. Elsewhere, do what the message says."},
    {"verify", "CopyVerification",
     "the copy run against the program on random inputs (--verify)",
     "With --verify, the program and its rewritten copy run with morvac-sim's engine on random "
     "input traces that respect the input relations; the outputs of each instant are compared. "
     "A note says on how many traces they agreed, or why the program could not be run (data, a "
     "form the engine refuses); an error gives the first trace and instant where they differ.",
     "An error is a fault of morvac-check: please report the program. Use the program as "
     "written meanwhile."},
    {"module-dot", "ModuleDot", "a `.`, which morvac skips",
     "A full stop: morvac skips it, so a module closed by . is not closed for morvac.",
     "Close the module with end module."},
    {"elsif", "ElsifKeyword", "`elsif`, which morvac reads as a name; the copy writes `elseif`",
     "morvac has elseif, not elsif: the copy writes elseif in a conditional; elsewhere elsif is "
     "an error.",
     "Nothing to do in a conditional: the copy written with -o is what morvac reads."},
    {"implies-arrow", "ImpliesArrow",
     "`=>`, which morvac reads as `=` and `>`; the copy writes `implies`",
     "morvac has implies, not =>, in relations. The copy writes implies.",
     "Nothing to do: the copy written with -o is what morvac reads."},
    {"not-equal", "NotEqual", "`<>`, which morvac reads as `<` and `>`; the copy writes `!=`",
     "morvac has !=, not <>. The copy writes !=.",
     "Nothing to do: the copy written with -o is what morvac reads."},
    {"string-form", "StringForm", "a string that morvac reads otherwise",
     "morvac has no empty string, no doubled quote, and no -, @, [, ], ^, |, tab or byte above "
     "126 in a string.",
     "Rewrite the string."},
    {"number-form", "NumberForm", "a number that morvac reads otherwise",
     "morvac has no exponent, no f suffix and no number that begins with a point.",
     "Write the number as morvac reads it."},
    {"minus-number", "MinusNumber",
     "a minus sign that morvac reads as a number's sign; the copy writes a blank after it",
     "morvac reads a minus sign and the digits after it as one number, also after an operand "
     "(x-1 is x and the number -1). The copy writes a blank after such a minus sign.",
     "Nothing to do: the copy written with -o is what morvac reads."},
    {"glued-name", "GluedName", "tokens that morvac reads as one name",
     "Tokens written without blanks that morvac reads as one name.",
     "Put blanks between the tokens."},
    {"other-reading", "OtherReading", "text that morvac reads otherwise",
     "Text that morvac reads as other tokens than Esterel does.", "Rewrite the text."},
    {"combine-operator", "CombineOperator", "`combine T with +` or `with *`",
     "morvac's grammar has no combine function written + or *: it cannot read the declaration.",
     "Combine with a function name, or with or / and."},
    {"skipped-declaration", "SkippedDeclaration", "a declaration that morvac skips",
     "A declaration that morvac skips with its message; the translation goes on without it.",
     "Check that the Quarl program does without it."},
    {"refused-construct", "RefusedConstruct", "a construct that stops morvac",
     "A construct that morvac refuses with its message and a stop, wherever it stands: also "
     "inside another refused construct, where morvac meets it once the outer one is rewritten.",
     "Rewrite the construct with what morvac translates."},
    {"without-quarl-text", "WithoutQuarlText", "a construct without Quarl text",
     "A construct that has no Quarl text (a conditional, a local declaration, a trap, an "
     "operator, a constant...): morvac stops where an enclosing construct needs its text.",
     "Rewrite the construct with what morvac translates."},
    {"first-stop", "FirstStop", "where morvac stops first",
     "The construct at which morvac, reading the copy, stops first.",
     "Rewrite it first: the verdict says what morvac does."},
    {"morvac-syntax-error", "MorvacSyntaxError", "where morvac's parser fails on the copy",
     "The token at which morvac's parser fails on the copy, with morvac's own message.",
     "Mend the errors before it."},
    {"internal", "InternalInconsistency", "the checker's prediction disagrees with morvac",
     "The checker predicted another outcome than morvac's own front end gave: a fault of the "
     "checker.",
     "Please report the program."},
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

// A path as a URI reference: unreserved characters and slashes as they are, every other byte as
// %XX; an absolute path as a file: URI.
std::string uri(std::string_view name) {
  if (name == "-") return "stdin";
  std::string out = !name.empty() && name.front() == '/' ? "file://" : "";
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

// The working folder as a file: URI, which relative URIs are resolved against.
std::string working_folder_uri() {
  std::error_code error;
  std::string folder = std::filesystem::current_path(error).string();
  if (error) folder = "/";
  if (folder.back() != '/') folder += '/';
  return uri(folder);
}

constexpr ColumnStyle kCodePoints{ColumnUnit::CodePoint, 1};

std::string location(const CheckedFile& file, Span span, const std::string* message) {
  const LineColumn begin = file.lines.at(file.source, span.begin, kCodePoints);
  const LineColumn end = file.lines.at(file.source, span.end, kCodePoints);
  const std::string name = uri(file.name);
  const bool relative = name.rfind("file:", 0) != 0 && file.name != "-";
  std::string out = "{";
  if (message != nullptr) out += "\"message\": {\"text\": " + json(*message) + "}, ";
  out += "\"physicalLocation\": {\"artifactLocation\": {\"uri\": " + json(name) +
         (relative ? ", \"uriBaseId\": \"WORKING_FOLDER\"" : "") +
         "}, \"region\": {\"startLine\": " + std::to_string(begin.line) +
         ", \"startColumn\": " + std::to_string(begin.column) +
         ", \"endLine\": " + std::to_string(end.line) +
         ", \"endColumn\": " + std::to_string(end.column) + "}}}";
  return out;
}

}  // namespace

void write_sarif(std::ostream& out, const std::vector<CheckedFile>& files, const char* version) {
  out << "{\n  \"$schema\": "
         "\"https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/"
         "sarif-schema-2.1.0.json\",\n  \"version\": \"2.1.0\",\n  \"runs\": [{\n"
      << "    \"tool\": {\"driver\": {\"name\": \"morvac-check\", \"version\": " << json(version)
      << ", \"informationUri\": " << json(MORVAC_CHECK_MANUAL_URI) << ", \"rules\": [";
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    const RuleText& rule = kRules[i];
    out << (i == 0 ? "\n" : ",\n") << "      {\"id\": " << json(rule.id)
        << ", \"name\": " << json(rule.name)
        << ", \"shortDescription\": {\"text\": " << json(rule.short_description) << "}"
        << ", \"fullDescription\": {\"text\": " << json(rule.full_description) << "}"
        << ", \"help\": {\"text\": " << json(rule.help) << "}}";
  }
  out << "]}},\n    \"originalUriBaseIds\": {\"WORKING_FOLDER\": {\"uri\": "
      << json(working_folder_uri()) << "}},\n    \"columnKind\": \"unicodeCodePoints\",\n"
      << "    \"results\": [";
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
    out << (i == 0 ? "" : ", ") << json(verdict_line(files[i], kCodePoints));
  }
  out << "]}\n  }]\n}\n";
}
