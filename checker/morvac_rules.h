// What morvac's translation makes of each construct of the Esterel tree: refused when read
// (skipped, or a stop), without Quarl text (refused by the first construct that needs its text),
// or translated.
#ifndef MORVAC_CHECKER_MORVAC_RULES_H
#define MORVAC_CHECKER_MORVAC_RULES_H

#include <string_view>
#include <vector>

#include "esterel_tree.h"
#include "refusal.h"

// Returns the refusal that morvac makes of node once it has read it (a skip, or a stop at its
// keyword or when it is reduced), or Refusal::None.
[[nodiscard]] Refusal refusal_when_read(const esterel::Tree& tree, esterel::NodeId node);

// Returns the construct without Quarl text that node is, or Refusal::None when it has text (a
// construct refused when read has text, never given). in_occurrence: node stands where morvac
// reads an occurrence, whose brackets have no text (elsewhere they have).
[[nodiscard]] Refusal refusal_without_text(const esterel::Tree& tree, esterel::NodeId node,
                                           bool in_occurrence);

// Returns whether the tree holds a form that morvac's grammar lacks although morvac's tokens
// can spell it: a trap's value `??T`, or a combine function `+` or `*`.
[[nodiscard]] bool uses_extension(const esterel::Tree& tree, std::string_view source);

// Returns the combine functions `+` and `*` of the tree's signal types, which morvac cannot read.
[[nodiscard]] std::vector<esterel::Span> combine_operators(const esterel::Tree& tree,
                                                           std::string_view source);

#endif  // MORVAC_CHECKER_MORVAC_RULES_H
