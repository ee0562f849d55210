// Stringpp: string utilities of the morvac project.
//
// Free functions on std::string that return their results by value. Conversions from text are
// named Sto<target>, conversions to text end in toS or 2S, syntax checks begin with "check" and
// return 1 or 0. The parsers never validate: run the matching check first.
#ifndef MORVAC_STRINGPP_H
#define MORVAC_STRINGPP_H

#include <string>

// ---------------------------------------------------------------------------------------------
// Character-array copy
// ---------------------------------------------------------------------------------------------

// Returns a new NUL-terminated array (new[]) holding every character of s, embedded NULs
// included; the caller releases it with delete[].
[[nodiscard]] char* Stoa(const std::string& s);

#endif  // MORVAC_STRINGPP_H
