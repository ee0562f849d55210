// Text values of the translation: pieces of Quarl text built bottom-up by the semantic actions.
//
// A Text is one flat buffer with spare room at both ends, so wrapping a text in a frame costs the
// size of the frame, and joining two texts copies only the smaller one. An absent value stands
// for a construct that has no Quarl text and remembers which construct it was, so that the
// action that needs the text can name what it refuses.
//
// Every heap text is linked in one list while it lives: texts that the parser abandons (after a
// syntax error, or when a run is cut short) stay reachable and can be reclaimed in one sweep.
// Released texts are kept for reuse, and short texts live inside their object: most texts are
// names and statements of a few bytes, made and released once per token.
#ifndef MORVAC_FRONTEND_TEXT_H
#define MORVAC_FRONTEND_TEXT_H

#include <cstddef>
#include <string_view>

#include "refusal.h"

class Text {
 public:
  // Returns a new heap text holding s.
  [[nodiscard]] static Text* make(std::string_view s);
  // Returns the shared absent value of a construct without Quarl text; releasing it does nothing.
  [[nodiscard]] static Text* absent(Refusal construct);

  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  [[nodiscard]] bool is_absent() const { return construct_ != Refusal::None; }
  // Returns the construct an absent value stands for (Refusal::None for real text).
  [[nodiscard]] Refusal construct() const { return construct_; }
  [[nodiscard]] std::string_view view() const { return {data_ + head_, tail_ - head_}; }
  [[nodiscard]] std::size_t size() const { return tail_ - head_; }

  void append(std::string_view s);
  void prepend(std::string_view s);

  friend void release(Text* text);
  friend void release_all_texts();
  friend std::size_t live_text_count();

 private:
  static constexpr std::size_t kInlineSize = 64;

  Text() = default;
  explicit Text(Refusal construct) : construct_(construct) {}
  ~Text() = delete;  // texts are recycled, never destroyed
  void reallocate(std::size_t front_room, std::size_t back_room);
  [[nodiscard]] bool is_inline() const { return data_ == inline_; }

  char* data_ = nullptr;
  std::size_t head_ = 0;
  std::size_t tail_ = 0;
  std::size_t capacity_ = 0;
  Refusal construct_ = Refusal::None;
  Text* previous_live_ = nullptr;
  Text* next_live_ = nullptr;  // also links the released texts kept for reuse
  char inline_[kInlineSize];
};

// Frees a heap text; null and absent values are skipped.
void release(Text* text);

// Releases each of the given values.
template <class... Texts>
void release_all(Texts*... texts) {
  (release(texts), ...);
}

// Returns left and right joined by separator, as one text; consumes both. The larger of the two
// keeps its buffer and the smaller is copied into it.
[[nodiscard]] Text* join(Text* left, std::string_view separator, Text* right);

// Returns text with before and after added around it; consumes text.
[[nodiscard]] Text* wrap(std::string_view before, Text* text, std::string_view after);

// Frees every heap text still alive, for runs that end before their values were consumed.
void release_all_texts();

// Returns the number of heap texts alive.
[[nodiscard]] std::size_t live_text_count();

#endif  // MORVAC_FRONTEND_TEXT_H
