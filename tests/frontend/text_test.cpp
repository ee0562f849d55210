// Text values: joining, wrapping and the bookkeeping of live values.
#include <gtest/gtest.h>

#include <string>

#include "text.h"

namespace {

std::string take(Text* text) {
  std::string s(text->view());
  release(text);
  return s;
}

// Joins keep the order whichever side is larger; many wraps, and a long list joined one by one,
// keep every byte.
TEST(Text, JoinsAndWrapsKeepEveryByteInOrder) {
  const std::string big(1000, 'b');
  EXPECT_EQ("a, " + big, take(join(Text::make("a"), ", ", Text::make(big))));
  EXPECT_EQ(big + ", a", take(join(Text::make(big), ", ", Text::make("a"))));
  EXPECT_EQ("x--y", take(join(Text::make("x"), "--", Text::make("y"))));
  EXPECT_EQ(0u, live_text_count());
  Text* text = Text::make("core");
  std::string wanted = "core";
  for (int i = 0; i < 5000; ++i) {
    const std::string before = "<" + std::to_string(i);
    const std::string after = std::to_string(i) + ">";
    text = wrap(before, text, after);
    wanted = before + wanted + after;
  }
  EXPECT_EQ(wanted, take(text));
  Text* list = Text::make("s0");
  wanted = "s0";
  for (int i = 1; i < 20000; ++i) {
    list = join(list, ";", Text::make("s" + std::to_string(i)));
    wanted += ";s" + std::to_string(i);
  }
  EXPECT_EQ(wanted, take(list));
}

TEST(Text, AbsentValuesAreSharedAndLiveOnesCountedAndSwept) {
  Text* absent = Text::absent(Refusal::If);
  EXPECT_TRUE(absent->is_absent());
  EXPECT_EQ(Refusal::If, absent->construct());
  EXPECT_EQ(absent, Text::absent(Refusal::If));
  release(absent);
  release(nullptr);
  EXPECT_EQ(Refusal::If, Text::absent(Refusal::If)->construct());
  EXPECT_EQ(Refusal::Unknown, Text::absent(Refusal::None)->construct());
  EXPECT_FALSE(Text::make("")->is_absent());
  release_all_texts();
  const std::size_t before = live_text_count();
  EXPECT_NE(nullptr, Text::make("a"));
  Text* b = Text::make("b");
  EXPECT_NE(nullptr, Text::make("c"));
  EXPECT_EQ(before + 3, live_text_count());
  release(b);
  EXPECT_EQ(before + 2, live_text_count());
  release_all_texts();
  EXPECT_EQ(0u, live_text_count());
}

TEST(RefusalMessages, EveryConstructHasOne) {
  for (int i = 1; i <= static_cast<int>(Refusal::Unknown); ++i) {
    const std::string message = refusal_message(static_cast<Refusal>(i));
    EXPECT_NE(std::string::npos, message.find("..."))
        << "message " << i << " should end like the others: " << message;
  }
}

}  // namespace
