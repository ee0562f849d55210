// Memory of the parser's stacks once they outgrow their first storage. Tracked so that a run cut
// short from inside an action can give it back.
#ifndef MORVAC_FRONTEND_PARSER_MEMORY_H
#define MORVAC_FRONTEND_PARSER_MEMORY_H

#include <cstddef>

// Returns a new block of size bytes, or null.
void* strl5_stack_alloc(std::size_t size);
// Frees a block of strl5_stack_alloc.
void strl5_stack_free(void* block);
// Frees every block still held.
void release_parser_stacks();

#endif  // MORVAC_FRONTEND_PARSER_MEMORY_H
