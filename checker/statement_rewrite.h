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
// (`run M` is written out by run_rewrite.h, through the rewriter of this file.)
// S is one signal: a definition that would need an immediate or counted occurrence, a trap or a
// local signal, which morvac lacks, is not made. Keywords are replaced where they stand, so the
// lines stay; the copies of a repeated body are written on the line of its `end`.
#ifndef MORVAC_CHECKER_STATEMENT_REWRITE_H
#define MORVAC_CHECKER_STATEMENT_REWRITE_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "esterel_parser.h"

// The text that the copies of one repeated body or counted await may add to the copy.
constexpr std::size_t kMostRepeatedText = std::size_t{64} * 1024;

struct StatementRewrite {
  const char* rule;                // of the warning: "derived-statement", "module-instance"
  Span statement;                  // the derived statement (or the occurrence in brackets)
  std::string form;                // what it is, as the warning says it: "`every S do ... end`"
  std::string definition;          // what the copy writes instead: "`[await S; loop ... each S]`"
  std::vector<PlannedEdit> edits;  // of reason EditReason::Derived
  std::vector<Span> mended;        // the constructs that morvac no longer meets: the statement, and
                                   // the occurrence that the copy writes as one signal
};

// The rewrites of one file, made statement by statement.
class StatementRewriter {
 public:
  // parse is read without a syntax error from source and its tokens; copy is the copy without
  // statement rewrites, whose text a repeated body copies.
  StatementRewriter(std::string_view source, const std::vector<Token>& tokens,
                    const esterel::Tree& tree, const Copy& copy);
  ~StatementRewriter();
  StatementRewriter(StatementRewriter&&) noexcept;
  StatementRewriter(const StatementRewriter&) = delete;
  StatementRewriter& operator=(const StatementRewriter&) = delete;
  StatementRewriter& operator=(StatementRewriter&&) = delete;

  // Rewrites node where it is a derived statement or an occurrence in brackets. A node's parts
  // come before it: call it in order of ids, so that a repeated body is copied rewritten.
  void rewrite(esterel::NodeId node);
  // Returns whether rewrite, made by the caller, is made: none of its edits is empty or holds
  // an edit of the copy.
  bool add(StatementRewrite rewrite);
  // Returns the text that the copy writes for span of the source, with the rewrites made so far.
  [[nodiscard]] std::string text(Span span) const;
  // Returns the number of rewrites made, and one of them.
  [[nodiscard]] std::size_t count() const;
  StatementRewrite& at(std::size_t index);
  // Returns the rewrites made, in the order made.
  std::vector<StatementRewrite> take();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// Returns text with each run of blanks that holds a line end written as one blank.
[[nodiscard]] std::string on_one_line(std::string_view text);

// Returns the edit of a rewrite that writes text in span's place, followed by the line ends that
// span holds: the lines after it stay where they are.
[[nodiscard]] PlannedEdit derived_edit(std::string_view source, Span span, std::string text);

#endif  // MORVAC_CHECKER_STATEMENT_REWRITE_H
