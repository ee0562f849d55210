// The morvac-readable copy of a program: every line in its place, everything as it is but for a
// list of edits, each a span of the source and the text that the copy writes in its place, made
// for a reason that a finding reports. Comments and lines of the C preprocessor are blanked,
// `:=` is written `assign`, and the spellings of spelling_rewrite.h are written as morvac spells
// them. The edits, in source order, are also the map between the copy's offsets and the
// source's.
#ifndef MORVAC_CHECKER_COPY_REWRITE_H
#define MORVAC_CHECKER_COPY_REWRITE_H

#include <string>
#include <string_view>
#include <vector>

#include "esterel_scanner.h"

using esterel::EsterelScan;
using esterel::Span;
using esterel::Token;

// What an edit of the copy does, said by the rule id of its finding.
enum class EditReason {
  Comment,
  PreprocessorLine,
  Assign,
  NotEqual,         // `<>` written `!=`
  Implies,          // `=>` written `implies`
  Elsif,            // `elsif` written `elseif`
  GluedMinus,       // `x-1` written `x- 1`
  Incompatibility,  // a relation with `#`, blanked
  Derived,          // a part of a derived statement, written as Esterel defines the statement
};

struct PlannedEdit {  // a span of the source and what the copy writes in its place
  Span source;
  std::string text;
  EditReason reason;
};

struct CopyEdit {  // an edit as made: which span of the source became which span of the copy
  Span source;
  Span copy;
  EditReason reason;
};

struct Copy {
  std::string text;
  std::vector<CopyEdit> edits;  // in source order
  bool rewritten = false;       // the copy differs from the source

  // Returns the source span of a span of the copy (a span inside an edit maps to the whole
  // span that the edit replaced).
  [[nodiscard]] Span to_source(Span copy_span) const;
};

// Returns source with the edits made (they must not overlap; any order).
[[nodiscard]] Copy apply_edits(std::string_view source, std::vector<PlannedEdit> edits);

// Returns the copy of source, whose comments, preprocessor lines and tokens scan found, with the
// rewrites too.
[[nodiscard]] Copy make_copy(std::string_view source, const EsterelScan& scan,
                             std::vector<PlannedEdit> rewrites = {});

// Returns Esterel's reading of the source (tokens) as the copy spells it: without the tokens of
// the relations it blanks, an `elsif` it rewrites read as `elseif`, and the tokens that the copy
// writes for a derived statement in place of those of the source (located at the source's span).
[[nodiscard]] std::vector<Token> as_copied(const Copy& copy, const std::vector<Token>& tokens);

// Returns the text of span with every character but the line ends made a blank: the lines stay.
[[nodiscard]] std::string blanked(std::string_view source, Span span);

// Returns word, with a blank before or after it where a name in source touches span: the word
// that the copy writes in span's place stays a word of its own.
[[nodiscard]] std::string apart(std::string_view source, Span span, std::string word);

// Returns whether a token of code code can end an operand (a name, a constant, a `)`).
[[nodiscard]] bool ends_an_operand(int code);

#endif  // MORVAC_CHECKER_COPY_REWRITE_H
