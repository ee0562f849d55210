#include "text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Room kept in front of a new text, enough for the frames that usually wrap a statement.
constexpr std::size_t kInitialFrontRoom = 16;
// Room added in front when a prepend finds none: bounded, because prepends to one text come
// from the nesting of constructs and each adds a short frame.
constexpr std::size_t kMaxGrownFrontRoom = std::size_t{64} * 1024;

// The texts alive, most recent first.
struct LiveList {
  Text* first = nullptr;
  std::size_t count = 0;
};
LiveList live;

// Released texts, ready for reuse.
Text* recycled = nullptr;

}  // namespace

Text* Text::make(std::string_view s) {
  Text* text = recycled;
  if (text != nullptr) {
    recycled = text->next_live_;
  } else {
    text = new Text();
  }
  if (kInitialFrontRoom + s.size() <= kInlineSize) {
    text->data_ = text->inline_;
    text->capacity_ = kInlineSize;
    text->head_ = text->tail_ = kInitialFrontRoom;
  } else {
    text->data_ = nullptr;
    text->capacity_ = text->head_ = text->tail_ = 0;
    text->reallocate(kInitialFrontRoom, s.size());
  }
  std::memcpy(text->data_ + text->tail_, s.data(), s.size());
  text->tail_ += s.size();
  text->previous_live_ = nullptr;
  text->next_live_ = live.first;
  if (live.first != nullptr) live.first->previous_live_ = text;
  live.first = text;
  ++live.count;
  return text;
}

Text* Text::absent(Refusal construct) {
  // One shared, immutable value per construct.
  static Text* const absents = [] {
    constexpr int count = static_cast<int>(Refusal::Unknown) + 1;
    auto* values = static_cast<Text*>(::operator new(sizeof(Text) * count));
    for (int i = 0; i < count; ++i) new (values + i) Text(static_cast<Refusal>(i));
    return values;
  }();
  if (construct == Refusal::None) construct = Refusal::Unknown;
  return &absents[static_cast<int>(construct)];
}

void Text::reallocate(std::size_t front_room, std::size_t back_room) {
  const std::size_t length = size();
  const std::size_t capacity = front_room + length + back_room;
  if (front_room == head_ && !is_inline()) {
    // Growing at the back only: realloc can extend the block in place, without a copy.
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) std::abort();
    data_ = grown;
  } else {
    char* fresh = static_cast<char*>(std::malloc(capacity));
    if (fresh == nullptr) std::abort();
    if (length != 0) std::memcpy(fresh + front_room, data_ + head_, length);
    if (!is_inline()) std::free(data_);
    data_ = fresh;
  }
  head_ = front_room;
  tail_ = front_room + length;
  capacity_ = capacity;
}

void Text::append(std::string_view s) {
  if (capacity_ - tail_ < s.size()) reallocate(head_, std::max(s.size(), size() + 64));
  std::memcpy(data_ + tail_, s.data(), s.size());
  tail_ += s.size();
}

void Text::prepend(std::string_view s) {
  if (head_ < s.size()) {
    reallocate(s.size() + std::min(size() + kInitialFrontRoom, kMaxGrownFrontRoom),
               capacity_ - tail_);
  }
  head_ -= s.size();
  std::memcpy(data_ + head_, s.data(), s.size());
}

void release(Text* text) {
  if (text == nullptr || text->is_absent()) return;
  if (text->previous_live_ != nullptr) {
    text->previous_live_->next_live_ = text->next_live_;
  } else {
    live.first = text->next_live_;
  }
  if (text->next_live_ != nullptr) text->next_live_->previous_live_ = text->previous_live_;
  --live.count;
  if (!text->is_inline()) std::free(text->data_);
  text->data_ = nullptr;
  text->next_live_ = recycled;
  recycled = text;
}

Text* join(Text* left, std::string_view separator, Text* right) {
  if (left->size() >= right->size()) {
    left->append(separator);
    left->append(right->view());
    release(right);
    return left;
  }
  right->prepend(separator);
  right->prepend(left->view());
  release(left);
  return right;
}

Text* wrap(std::string_view before, Text* text, std::string_view after) {
  text->prepend(before);
  text->append(after);
  return text;
}

void release_all_texts() {
  while (live.first != nullptr) release(live.first);
}

std::size_t live_text_count() {
  return live.count;
}
