// Esterel's derived statements that morvac refuses, written in the copy as the language defines
// them, where the definition is something that morvac reads and translates:
//   every S do P end          [await S; loop P each S]
//   await n S                 [await S; ...; await S]         (n times, n a literal)
//   await immediate S         present S else await S end
//   await S do P end          [await S; P]                     (S also counted or immediate)
//   do P watching S           abort P when S
//   do P upto S               abort P; halt when S
//   present case ... end      present ... then ... else ... end, nested
//   repeat n times P end      [P; ...; P]                      (n copies, n a literal)
//   [S] as an occurrence      S
// S is one signal: a definition that would need an immediate or counted occurrence, a trap or a
// local signal, which morvac lacks, is not made. Keywords are replaced where they stand, so the
// lines stay; the copies of a repeated body are written on the line of its `end`.
#ifndef MORVAC_CHECKER_STATEMENT_REWRITE_H
#define MORVAC_CHECKER_STATEMENT_REWRITE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "esterel_parser.h"

// The text that the copies of one repeated body or counted await may add to the copy.
constexpr std::size_t kMostRepeatedText = 64 * 1024;

struct StatementRewrite {
  Span statement;                  // the derived statement (or the occurrence in brackets)
  std::string form;                // what it is, as the warning says it: "`every S do ... end`"
  std::string definition;          // what the copy writes instead: "`[await S; loop ... each S]`"
  std::vector<PlannedEdit> edits;  // of reason EditReason::Derived
  std::vector<Span> mended;        // the constructs that morvac no longer meets: the statement, and
                                   // the occurrence that the copy writes as one signal
};

// Returns the rewrites of the derived statements of parse (read without a syntax error) from
// source and its tokens; copy is the copy without them, whose text a repeated body copies.
[[nodiscard]] std::vector<StatementRewrite> statement_rewrites(std::string_view source,
                                                               const std::vector<Token>& tokens,
                                                               const esterel::Parse& parse,
                                                               const Copy& copy);

#endif  // MORVAC_CHECKER_STATEMENT_REWRITE_H
