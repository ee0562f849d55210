// Programs as Esterel text, run through morvac-sim's reader, elaboration and engine, for the
// tests: instants given and told in one line each.
#ifndef MORVAC_TESTS_SIM_TRACE_RUNS_H
#define MORVAC_TESTS_SIM_TRACE_RUNS_H

#include <optional>
#include <string>

#include "kernel.h"

// Returns the kernel program of the text (its last module), or nothing with *problem the first
// message about it.
std::optional<sim::KernelProgram> read_program(const std::string& text, std::string* problem);

// Runs the program of the text on inputs, one instant per ';'-separated field of names, and
// returns what each instant did, ';'-separated: the outputs in order of name, then "*" once
// the program has terminated; or an error: "!cycle@C S..." (not constructive, at column C of
// the text, the signals unsettled), "!loop@C" (instantaneous loop), "!relation@C S..." (an
// input relation broken by the inputs named). A text that cannot run gives "!program " and the
// first message about it.
std::string run_trace(const std::string& program_text, const std::string& inputs);

#endif  // MORVAC_TESTS_SIM_TRACE_RUNS_H
