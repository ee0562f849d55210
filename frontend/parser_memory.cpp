#include "parser_memory.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// The parser holds at most its stack block and its message buffer at once.
void* held[4];

}  // namespace

void* strl5_stack_alloc(std::size_t size) {
  void** slot = std::find(std::begin(held), std::end(held), nullptr);
  if (slot == std::end(held)) return nullptr;
  *slot = std::malloc(size);
  return *slot;
}

void strl5_stack_free(void* block) {
  void** slot = std::find(std::begin(held), std::end(held), block);
  if (slot != std::end(held)) *slot = nullptr;
  std::free(block);
}

void release_parser_stacks() {
  for (void*& block : held) {
    std::free(block);
    block = nullptr;
  }
}
