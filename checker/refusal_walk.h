// Where morvac's translation refuses constructs: a walk of the Esterel tree in morvac's order of
// reductions that finds every skip and every stop, as if each stop let the run go on.
#ifndef MORVAC_CHECKER_REFUSAL_WALK_H
#define MORVAC_CHECKER_REFUSAL_WALK_H

#include <string_view>
#include <vector>

#include "esterel_parser.h"
#include "esterel_tree.h"
#include "refusal.h"

struct RefusalEvent {
  Refusal construct;      // its refusal_kind() says whether morvac skips it or stops there
  esterel::Span span;     // the refused construct (for one without text: itself, not who needs it)
  esterel::Span trigger;  // what morvac reduces when it refuses: the construct (its keyword, for
                          // one refused at its keyword), or for one without text who needs it
  bool once_rewritten;    // met only once an enclosing refused construct is rewritten: a part
                          // of it that has no Quarl text, which morvac never needs as it stands
};

// Returns the events in the order in which morvac would meet them: a declaration's skip, a
// construct refused when read (or at its keyword), and a construct without Quarl text at the
// place where an enclosing construct needs its text, then (once_rewritten) the parts without
// text of a refused construct. Each construct is reported once; the parts that syntax errors cut
// (in Error nodes) are walked where they stood, as morvac reduces them. What morvac reduces on
// the token of its first syntax error, where the reading put in a missing token, comes in its
// place among them.
[[nodiscard]] std::vector<RefusalEvent> walk_refusals(const esterel::Parse& parse,
                                                      std::string_view source);

// Returns the first event that stops morvac as the program stands, or null.
[[nodiscard]] const RefusalEvent* first_stop(const std::vector<RefusalEvent>& events);

#endif  // MORVAC_CHECKER_REFUSAL_WALK_H
