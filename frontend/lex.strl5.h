// The Esterel v5 scanner, class strl5FlexLexer: the interface that flex declares for its C++
// scanners (<FlexLexer.h>), implemented by hand so that every input scans in linear time.
//
// The scanner reads its input one character per LexerInput call, echoes every character that
// starts no token to its output stream, writes one trace item per token to standard error and
// returns the token codes of the Esterel v5 parser. Fatal errors go through LexerError, which
// ends the run with exit status 2.
#ifndef MORVAC_FRONTEND_LEX_STRL5_H
#define MORVAC_FRONTEND_LEX_STRL5_H

#undef yyFlexLexer
#define yyFlexLexer strl5FlexLexer
#include <FlexLexer.h>

#include <cstddef>

// The scanner's memory functions: the system's malloc, realloc and free.
void* strl5alloc(std::size_t size);
void* strl5realloc(void* block, std::size_t size);
void strl5free(void* block);

// Returns 1: no input follows the end of file.
int strl5wrap();

#endif  // MORVAC_FRONTEND_LEX_STRL5_H
