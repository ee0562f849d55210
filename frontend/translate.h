// The semantic actions of the Esterel v5 grammar: each builds the Quarl text of one construct,
// writes a line of the output file, or refuses a construct that Quarl does not offer.
//
// Functions that take Text values consume them (a value is released once it has been copied
// into the result). Functions that need the text of a value refuse an absent value with the
// message of the construct it stands for, and stop the run.
#ifndef MORVAC_FRONTEND_TRANSLATE_H
#define MORVAC_FRONTEND_TRANSLATE_H

#include "refusal.h"
#include "text.h"

namespace quarl {

// ---- Refusals -------------------------------------------------------------------------------

// Reports a construct that is skipped; the translation goes on.
void skip(Refusal construct);
// Reports a construct that stops the translation and ends the run with exit status 1.
[[noreturn]] void stop(Refusal construct);
// Same as stop, typed for actions that yield a value.
[[noreturn]] Text* refuse(Refusal construct);
// Returns text when it is real text; otherwise stops with the message of the construct it
// stands for.
Text* require(Text* text);
// Returns the absent value of a construct without Quarl text; releases the given parts.
template <class... Parts>
[[nodiscard]] Text* without_text(Refusal construct, Parts*... parts) {
  release_all(parts...);
  return Text::absent(construct);
}

// ---- Written at once to the output file -----------------------------------------------------

// Writes the header line of a module.
void write_module_header(const Text* name);
// Writes the text of a module's instruction and a line end; consumes it.
void write_body(Text* body);
// Writes the end of a module: an empty line, "end" and an empty line.
void write_module_end();
// Returns the value of a completed module (0); consumes its name.
[[nodiscard]] int close_module(Text* name);
// Writes the line of a type declaration; consumes the names.
void write_type_declaration(Text* names);
// Writes the start of an input or output line ("Input: " or "Output: ").
void begin_signal_line(const char* heading);
// Writes the signal names and the end of the line; consumes the names.
void end_signal_line(Text* names);

// ---- Names ----------------------------------------------------------------------------------

// Returns the current token text of the run's scanner (the identifier just read).
[[nodiscard]] Text* identifier();
// Returns the list of names, first then next, separated by ", "; consumes both.
[[nodiscard]] Text* name_list(Text* first, Text* next);

// ---- Instructions ---------------------------------------------------------------------------

[[nodiscard]] Text* parallel(Text* left, Text* right);
[[nodiscard]] Text* sequence(Text* first, Text* next);
[[nodiscard]] Text* brackets(Text* instruction);
[[nodiscard]] Text* nothing();
[[nodiscard]] Text* halt();
[[nodiscard]] Text* pause();
[[nodiscard]] Text* emit(Text* signal);
[[nodiscard]] Text* emit_value(Text* signal, Text* value);
[[nodiscard]] Text* present_event_in_brackets(Text* event);
[[nodiscard]] Text* present(Text* event, Text* then_part, Text* else_part);
// Returns the empty text of a missing then or else part.
[[nodiscard]] Text* no_branch();
[[nodiscard]] Text* then_branch(Text* instruction);
[[nodiscard]] Text* else_branch(Text* instruction);
// Returns the end text of a loop closed by end: "}".
[[nodiscard]] Text* plain_loop_end();
// Returns a plain loop when end is "}", otherwise a loop restarted by the occurrence end.
[[nodiscard]] Text* loop(Text* body, Text* end);
[[nodiscard]] Text* await(Text* occurrence);
[[nodiscard]] Text* sustain(Text* signal);
[[nodiscard]] Text* sustain_value(Text* signal, Text* value);
[[nodiscard]] Text* strong_abort(Text* body, Text* occurrence);
[[nodiscard]] Text* weak_abort(Text* body, Text* occurrence);

// ---- Events ---------------------------------------------------------------------------------

[[nodiscard]] Text* event_parentheses(Text* event);
[[nodiscard]] Text* event_not(Text* event);
[[nodiscard]] Text* event_and(Text* left, Text* right);
[[nodiscard]] Text* event_or(Text* left, Text* right);

}  // namespace quarl

#endif  // MORVAC_FRONTEND_TRANSLATE_H
