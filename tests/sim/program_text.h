// Kernel programs written as S-expressions, for the simulator's tests: each form is one call of
// the builder or of a derived statement, and each statement's source range is its place in the
// text. For example
//   (module (input I) (output O) (loop (seq (await I) (emit O))))
// Forms: nothing, pause, halt, (emit S), (sustain S), (present E P [Q]), (suspend P E),
// (suspend-immediate P E), (trap T P), (exit T), (seq P...), (par P...), (loop P),
// (signal S P), (await D), (await-do D P), (await-case C...), (abort P D), (abort-do P D Q),
// (abort-case P C...), the same three with weak-abort, (every D P), (loop-each P D),
// (repeat N P), (upto P D), (present-case (E P)... [(else Q)]); the module's declarations are
// (input S...), (output S...), (inputoutput S...), (relation (# S S...) (=> S S)...).
// Events E: a signal, tick, (not E), (and E E...), (or E E...). Delays D: E, (immediate E),
// (N E). Cases C: (D [P]).
#ifndef MORVAC_TESTS_SIM_PROGRAM_TEXT_H
#define MORVAC_TESTS_SIM_PROGRAM_TEXT_H

#include <optional>
#include <string>

#include "kernel.h"

// Returns the program of the text, or nothing with *problem saying what is wrong in it.
std::optional<sim::KernelProgram> read_program(const std::string& text, std::string* problem);

// Runs the program of the text on inputs, one instant per ';'-separated field of names, and
// returns what each instant did, ';'-separated: the outputs in order of name, then "*" once
// the program has terminated; or an error: "!cycle@C S..." (not constructive, at column C, the
// signals unsettled), "!loop@C" (instantaneous loop), "!relation@C S..." (an input relation
// broken by the inputs named).
std::string run_trace(const std::string& program_text, const std::string& inputs);

#endif  // MORVAC_TESTS_SIM_PROGRAM_TEXT_H
