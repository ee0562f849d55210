#include "record.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "report.h"

namespace sock_internal {
namespace {

// The texts of one record and of its SOCK_dup copies, freed with the last of them.
class SharedTexts {
 public:
  SharedTexts(char* hostname, char* address) : hostname_(hostname), address_(address) {}
  ~SharedTexts() {
    std::free(hostname_);
    std::free(address_);
  }
  SharedTexts(const SharedTexts&) = delete;
  SharedTexts& operator=(const SharedTexts&) = delete;

  [[nodiscard]] char* hostname() const { return hostname_; }
  [[nodiscard]] char* address() const { return address_; }
  void acquire() { ++records_; }
  // Deletes the texts when the last record lets go of them.
  void release() {
    if (--records_ == 0) delete this;
  }

 private:
  char* hostname_;
  char* address_;
  int records_ = 1;
};

// The record handed to the caller comes first, so a SOCK* is also a pointer to its block.
struct RecordBlock {
  SOCK record;
  SharedTexts* texts;
};
static_assert(std::is_standard_layout_v<RecordBlock>, "a SOCK* must point to its block");

RecordBlock* block_of(const SOCK* record) {
  return reinterpret_cast<RecordBlock*>(const_cast<SOCK*>(record));
}

char* copy_text(const char* text, const char* exhausted_message) {
  char* copy = strdup(text);
  if (copy == nullptr) report_and_abort(exhausted_message);
  return copy;
}

void drop_texts(RecordBlock* block) {
  if (block->texts != nullptr) block->texts->release();
  block->texts = nullptr;
  block->record.hostname = nullptr;
  block->record.address = nullptr;
}

}  // namespace

SOCK* new_record(const char* exhausted_message) {
  // calloc rather than new: the caller sees a plain zero-filled C record.
  void* memory = std::calloc(1, sizeof(RecordBlock));
  if (memory == nullptr) report_and_abort(exhausted_message);
  return &static_cast<RecordBlock*>(memory)->record;
}

void set_texts(SOCK* record, const char* hostname, const char* address,
               const char* exhausted_message) {
  char* hostname_copy = copy_text(hostname, exhausted_message);
  char* address_copy = copy_text(address, exhausted_message);
  auto* texts = new (std::nothrow) SharedTexts(hostname_copy, address_copy);
  if (texts == nullptr) report_and_abort(exhausted_message);
  RecordBlock* block = block_of(record);
  drop_texts(block);
  block->texts = texts;
  record->hostname = texts->hostname();
  record->address = texts->address();
}

void share_texts(const SOCK* source, SOCK* copy) {
  RecordBlock* from = block_of(source);
  RecordBlock* to = block_of(copy);
  drop_texts(to);
  if (from->texts != nullptr) from->texts->acquire();
  to->texts = from->texts;
  copy->hostname = source->hostname;
  copy->address = source->address;
}

void release_record(SOCK* record) {
  RecordBlock* block = block_of(record);
  drop_texts(block);
  std::free(block);
}

}  // namespace sock_internal
