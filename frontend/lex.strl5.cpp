#include "lex.strl5.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <typeinfo>

#include "process_exit.h"
#include "strl5_rules.h"

// One input buffer. Its characters stay where they were read while a token is pending: the
// buffer grows instead, and is compacted only when the text already scanned fills at least half
// of it, so every character is moved a bounded number of times.
struct yy_buffer_state {
  std::streambuf* yy_input_file;
  char* yy_ch_buf;   // yy_buf_size + 2 bytes: two NULs follow the characters read
  char* yy_buf_pos;  // current position, saved while the buffer is not the current one
  int yy_buf_size;
  int yy_n_chars;  // characters read
  int yy_is_our_buffer;
  int yy_is_interactive;
  int yy_at_bol;
  int yy_bs_lineno;
  int yy_bs_column;
  int yy_fill_buffer;
  int yy_buffer_status;
  std::int64_t yy_offset;  // input offset of yy_ch_buf[0]
  strl5_rules::MinusRun minus_run;
};

namespace {

constexpr int kBufferSize = 16384;
constexpr int kMaxRead = 8192;

enum BufferStatus { kBufferNew, kBufferNormal, kBufferEofPending };
enum Refill { kRefillContinue, kRefillEndOfFile };

// BEGIN(INITIAL): the only start condition.
constexpr int kInitialStart = 1;

constexpr strl5_rules::Keyword kKeywords[] = {
    {"abort", ABORT, "token abort "},
    {"and", AND, "token and "},
    {"assign", ASSIGN, "token assign "},
    {"await", AWAIT, "token await "},
    {"call", CALL, "token call "},
    {"case", CASE, "token case "},
    {"combine", COMBINE, "token combine "},
    {"constant", CONSTANT, "token constant "},
    {"copy", COPY, "token copy "},
    {"copymodule", COPYMODULE, "token copymodule "},
    {"do", DO, "token do "},
    {"each", EACH, "token each "},
    {"else", ELSE, "token else "},
    {"elseif", ELSEIF, "token elseif "},
    {"elsepresent", ELSEPRESENT, "token elsepresent "},
    {"emit", EMIT, "token emit "},
    {"end", END, "token end "},
    {"every", EVERY, "token every "},
    {"exec", EXEC, "token exec "},
    {"exit", EXIT, "token exit "},
    {"false", FALSE_TOKEN, "token false "},
    {"finalize", FINALIZE, "token finalize "},
    {"function", FUNCTION, "token function "},
    {"halt", HALT, "token halt "},
    {"handle", HANDLE, "token handle "},
    {"if", IF, "token if "},
    {"immediate", IMMEDIATE, "token # "},
    {"implies", IMPLIES, "token implies "},
    {"in", IN, "token in "},
    {"input", INPUT, "token input "},
    {"inputoutput", INPUTOUTPUT, "token inputoutput "},
    {"loop", LOOP, "token loop "},
    {"mod", MOD, "token mod "},
    {"module", MODULE, "token module "},
    {"not", NOT, "token not "},
    {"nothing", NOTHING, "token nothing "},
    {"or", OR, "token or "},
    {"output", OUTPUT, "token output "},
    {"pause", PAUSE, "token pause "},
    {"positive", POSITIVE, "token positive "},
    {"pre", PRE, "token pre "},
    {"present", PRESENT, "token present "},
    {"procedure", PROCEDURE, "token procedure "},
    {"relation", RELATION, "token relation "},
    {"repeat", REPEAT, "token repeat "},
    {"return", RETURN, "token return "},
    {"run", RUN, "token run "},
    {"sensor", SENSOR, "token sensor "},
    {"signal", SIGNAL, "token signal "},
    {"suspend", SUSPEND, "token suspend "},
    {"sustain", SUSTAIN, "token sustain "},
    {"task", TASK, "token task "},
    {"then", THEN, "token then "},
    {"timeout", TIMEOUT, "token timeout "},
    {"times", TIMES, "token times "},
    {"trap", TRAP, "token trap "},
    {"true", TRUE_TOKEN, "token true "},
    {"type", TYPE, "token type "},
    {"upto", UPTO, "token upto "},
    {"var", VAR, "token var "},
    {"watching", WATCHING, "token watching "},
    {"weak", WEAK, "token weak "},
    {"when", WHEN, "token when "},
    {"with", WITH, "token with "},
    {"xcur", XCUR, "token xcur "},
};

// Keyword lookup: an open-addressing table over a hash of the word's length and of three of its
// letters, built at compile time.
constexpr std::size_t kSlots = 256;

constexpr std::size_t keyword_hash(std::string_view word) {
  const std::size_t first = static_cast<unsigned char>(word.front());
  const std::size_t last = static_cast<unsigned char>(word.back());
  const std::size_t middle = static_cast<unsigned char>(word[word.size() / 2]);
  return (word.size() * 7 + first * 31 + last * 13 + middle) % kSlots;
}

struct KeywordTable {
  short slots[kSlots];  // index in kKeywords, or -1
};

constexpr KeywordTable make_keyword_table() {
  KeywordTable table{};
  for (short& slot : table.slots) slot = -1;
  for (std::size_t i = 0; i < std::size(kKeywords); ++i) {
    std::size_t slot = keyword_hash(kKeywords[i].word);
    while (table.slots[slot] != -1) slot = (slot + 1) % kSlots;
    table.slots[slot] = static_cast<short>(i);
  }
  return table;
}

constexpr KeywordTable kKeywordTable = make_keyword_table();

}  // namespace

const strl5_rules::Keyword* strl5_rules::find_keyword(std::string_view word) {
  if (word.empty()) return nullptr;
  for (std::size_t slot = keyword_hash(word);; slot = (slot + 1) % kSlots) {
    const int index = kKeywordTable.slots[slot];
    if (index < 0) return nullptr;
    if (kKeywords[index].word == word) return &kKeywords[index];
  }
}

void* strl5alloc(std::size_t size) {
  return std::malloc(size);
}
void* strl5realloc(void* block, std::size_t size) {
  return std::realloc(block, size);
}
void strl5free(void* block) {
  std::free(block);
}
int strl5wrap() {
  return 1;
}

namespace {

// Standard error's own buffer, before anybody could redirect std::cerr.
std::streambuf* const standard_error = std::cerr.rdbuf();

// Writes one trace item to standard error at once. Standard error is unbuffered, so writing to
// its descriptor directly gives the same bytes in the same order as std::cerr, without its
// layers; a redirected std::cerr (in-process runs) gets the item through its own buffer.
void write_trace(std::string_view item) {
  if (std::cerr.rdbuf() != standard_error) {
    std::cerr.rdbuf()->sputn(item.data(), static_cast<std::streamsize>(item.size()));
    return;
  }
  while (!item.empty()) {
    const ssize_t written = ::write(STDERR_FILENO, item.data(), item.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a closed or broken standard error loses the trace, not the run
    item.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

// A fatal scanner error: reported by LexerError, and never returned from, even if a derived
// class's LexerError returns.
#define FATAL(message)   \
  do {                   \
    LexerError(message); \
    morvac_exit(2);      \
  } while (0)

#define YY_CURRENT_BUFFER (yy_buffer_stack ? yy_buffer_stack[yy_buffer_stack_top] : nullptr)

// The current buffer once the scanner has started (there is always one then).
#define STARTED_BUFFER (yy_buffer_stack[yy_buffer_stack_top])

// First use of the scanner: falls back to the standard streams for a failed stream. Creates an
// input buffer whenever there is none (at first use, or after the last one was popped).
#define ENSURE_STARTED()                                                          \
  do {                                                                            \
    if (yy_init == 0) {                                                           \
      yy_init = 1;                                                                \
      yy_start = kInitialStart;                                                   \
      if (!yyin) yyin.rdbuf(std::cin.rdbuf());                                    \
      if (!yyout) yyout.rdbuf(std::cout.rdbuf());                                 \
      if (YY_CURRENT_BUFFER != nullptr) yy_load_buffer_state();                   \
    }                                                                             \
    if (YY_CURRENT_BUFFER == nullptr) {                                           \
      yyensure_buffer_stack();                                                    \
      yy_buffer_stack[yy_buffer_stack_top] = yy_create_buffer(yyin, kBufferSize); \
      yy_load_buffer_state();                                                     \
    }                                                                             \
  } while (0)

// ---- Construction -----------------------------------------------------------------------------

strl5FlexLexer::strl5FlexLexer(std::istream& arg_yyin, std::ostream& arg_yyout)
    : yyin(arg_yyin.rdbuf()), yyout(arg_yyout.rdbuf()) {
  ctor_common();
}

strl5FlexLexer::strl5FlexLexer(std::istream* arg_yyin, std::ostream* arg_yyout)
    : yyin(arg_yyin != nullptr ? arg_yyin->rdbuf() : std::cin.rdbuf()),
      yyout(arg_yyout != nullptr ? arg_yyout->rdbuf() : std::cout.rdbuf()) {
  ctor_common();
}

void strl5FlexLexer::ctor_common() {
  yytext = nullptr;
  yyleng = 0;
  yylineno = 1;
  yy_flex_debug = 0;
  yy_c_buf_p = nullptr;
  yy_init = 0;
  yy_start = 0;
  yy_hold_char = 0;
  yy_n_chars = 0;
  yy_did_buffer_switch_on_eof = 0;
  yy_looking_for_trail_begin = 0;
  yy_more_flag = 0;
  yy_more_len = 0;
  yy_more_offset = yy_prev_more_offset = 0;
  yy_start_stack_ptr = yy_start_stack_depth = 0;
  yy_start_stack = nullptr;
  yy_buffer_stack = nullptr;
  yy_buffer_stack_top = 0;
  yy_buffer_stack_max = 0;
  yy_last_accepting_state = 0;
  yy_last_accepting_cpos = nullptr;
  yy_state_buf = nullptr;
  yy_state_ptr = nullptr;
  yy_full_match = nullptr;
  yy_full_state = nullptr;
  yy_full_lp = 0;
  yy_lp = 0;
}

strl5FlexLexer::~strl5FlexLexer() {
  delete[] yy_state_buf;
  strl5free(yy_start_stack);
  strl5FlexLexer::yy_delete_buffer(YY_CURRENT_BUFFER);
  strl5free(yy_buffer_stack);
}

// ---- The scanner ------------------------------------------------------------------------------

// The exact class, not a class derived from it: only then may the scanner take its cheaper paths
// (echo a run of characters at once, take buffered input in blocks), since no override of
// LexerInput or LexerOutput can be watching the calls.
#define IS_PLAIN_SCANNER() (typeid(*this) == typeid(strl5FlexLexer))

int strl5FlexLexer::yylex() {
  ENSURE_STARTED();
  const bool plain = IS_PLAIN_SCANNER();
  // Echoed characters not written yet: [echo_start, yy_c_buf_p). Written before a refill, which
  // may drop the text before the current position.
  const char* echo_start = nullptr;
  auto write_echo = [&] {
    if (echo_start == nullptr) return;
    LexerOutput(echo_start, static_cast<int>(yy_c_buf_p - echo_start));
    echo_start = nullptr;
  };
  // yy_c_buf_p is the start of the token being matched; refills may move the buffer, so the
  // characters are reached through it on every peek.
  const char* end = STARTED_BUFFER->yy_ch_buf + yy_n_chars;  // of the characters read
  auto peek = [&](std::int64_t i) -> int {
    if (yy_c_buf_p + i < end) return static_cast<unsigned char>(yy_c_buf_p[i]);
    while ((yy_c_buf_p - STARTED_BUFFER->yy_ch_buf) + i >= yy_n_chars) {
      write_echo();
      if (yy_get_next_buffer() == kRefillEndOfFile) return -1;
    }
    end = STARTED_BUFFER->yy_ch_buf + yy_n_chars;
    return static_cast<unsigned char>(yy_c_buf_p[i]);
  };
  for (;;) {
    *yy_c_buf_p = yy_hold_char;  // the character under the NUL that ended the last token
    yy_buffer_state* buffer = STARTED_BUFFER;
    const std::int64_t offset = buffer->yy_offset + (yy_c_buf_p - buffer->yy_ch_buf);
    auto start = [this] { return static_cast<const char*>(yy_c_buf_p); };
    const strl5_rules::Match match = strl5_rules::match(peek, start, offset, buffer->minus_run);
    if (match.code == strl5_rules::kEcho) {
      if (!plain) {
        LexerOutput(yy_c_buf_p, 1);
      } else {
        if (echo_start == nullptr) echo_start = yy_c_buf_p;
        // The characters that follow and that no rule can start with go with this one.
        while (yy_c_buf_p + 1 < end &&
               strl5_rules::is_always_echoed(static_cast<unsigned char>(yy_c_buf_p[1]))) {
          ++yy_c_buf_p;
        }
      }
      yy_hold_char = *++yy_c_buf_p;
      continue;
    }
    write_echo();
    if (match.code == strl5_rules::kEndOfInput) {
      yytext = yy_c_buf_p;
      yyleng = 0;
      yy_hold_char = *yy_c_buf_p;
      if (yywrap() != 0) return 0;
      // yywrap has set up more input.
      if (yy_did_buffer_switch_on_eof == 0) yyrestart(yyin);
      end = STARTED_BUFFER->yy_ch_buf + yy_n_chars;
      continue;
    }
    yytext = yy_c_buf_p;
    yyleng = static_cast<int>(match.length);
    yy_c_buf_p += match.length;
    yy_hold_char = *yy_c_buf_p;
    *yy_c_buf_p = '\0';
    write_trace(match.trace);
    return match.code;
  }
}

int strl5FlexLexer::yy_get_next_buffer() {
  yy_buffer_state* buffer = STARTED_BUFFER;
  if (buffer->yy_buffer_status == kBufferEofPending || buffer->yy_fill_buffer == 0) {
    return kRefillEndOfFile;
  }
  if (yy_n_chars >= buffer->yy_buf_size) {
    const int scanned = static_cast<int>(yy_c_buf_p - buffer->yy_ch_buf);
    if (scanned > 0 && scanned >= buffer->yy_buf_size / 2) {
      // Drop the scanned text, keep the pending token.
      std::memmove(buffer->yy_ch_buf, yy_c_buf_p, static_cast<std::size_t>(yy_n_chars - scanned));
      yy_n_chars -= scanned;
      buffer->yy_offset += scanned;
      yy_c_buf_p = buffer->yy_ch_buf;
    } else {
      if (buffer->yy_is_our_buffer == 0) FATAL("fatal error - scanner input buffer overflow");
      const int size = buffer->yy_buf_size;
      const int grown = size <= (INT_MAX - 2) / 2 ? size * 2 : size + size / 8;
      if (grown <= size || grown > INT_MAX - 2) {
        FATAL("fatal error - scanner input buffer overflow");
      }
      char* bytes =
          static_cast<char*>(strl5realloc(buffer->yy_ch_buf, static_cast<std::size_t>(grown) + 2));
      if (bytes == nullptr) FATAL("out of dynamic memory in yy_get_next_buffer()");
      yy_c_buf_p = bytes + scanned;
      buffer->yy_ch_buf = bytes;
      buffer->yy_buf_size = grown;
    }
  }
  char* const destination = buffer->yy_ch_buf + yy_n_chars;
  int count = 0;
  if (IS_PLAIN_SCANNER() && !yyin.eof() && !yyin.fail()) {
    // What the stream holds already, in one block: the characters that LexerInput would deliver
    // one at a time.
    count = static_cast<int>(yyin.readsome(destination, buffer->yy_buf_size - yy_n_chars));
    if (yyin.bad()) FATAL("input in flex scanner failed");
  }
  if (count == 0)
    count = LexerInput(destination, std::min(buffer->yy_buf_size - yy_n_chars, kMaxRead));
  if (count < 0) FATAL("input in flex scanner failed");
  if (count == 0) {
    buffer->yy_buffer_status = kBufferEofPending;
    return kRefillEndOfFile;
  }
  buffer->yy_buffer_status = kBufferNormal;
  yy_n_chars += count;
  buffer->yy_n_chars = yy_n_chars;
  buffer->yy_ch_buf[yy_n_chars] = '\0';
  buffer->yy_ch_buf[yy_n_chars + 1] = '\0';
  return kRefillContinue;
}

int strl5FlexLexer::yywrap() {
  return 1;
}

int strl5FlexLexer::LexerInput(char* buf, int /*max_size*/) {
  if (yyin.eof() || yyin.fail()) return 0;
  yyin.get(buf[0]);
  if (yyin.eof()) return 0;
  if (yyin.bad()) return -1;
  return 1;
}

void strl5FlexLexer::LexerOutput(const char* buf, int size) {
  std::streambuf* const echo = yyout.rdbuf();
  // Short runs (blanks between tokens) one by one: sputc is an inline store into the buffer.
  if (size > 16) {
    echo->sputn(buf, size);
    return;
  }
  for (int i = 0; i < size; ++i) echo->sputc(buf[i]);
}

void strl5FlexLexer::LexerError(const char* msg) {
  std::cerr << msg << std::endl;
  morvac_exit(2);
}

// ---- Buffers ----------------------------------------------------------------------------------

yy_buffer_state* strl5FlexLexer::yy_create_buffer(std::istream& s, int size) {
  auto* buffer = static_cast<yy_buffer_state*>(strl5alloc(sizeof(yy_buffer_state)));
  if (buffer == nullptr || size < 0 || size > INT_MAX - 2) {
    FATAL("out of dynamic memory in yy_create_buffer()");
  }
  buffer->yy_buf_size = size;
  buffer->yy_ch_buf = static_cast<char*>(strl5alloc(static_cast<std::size_t>(size) + 2));
  if (buffer->yy_ch_buf == nullptr) FATAL("out of dynamic memory in yy_create_buffer()");
  buffer->yy_is_our_buffer = 1;
  yy_init_buffer(buffer, s);
  return buffer;
}

yy_buffer_state* strl5FlexLexer::yy_create_buffer(std::istream* s, int size) {
  return yy_create_buffer(s != nullptr ? *s : yyin, size);
}

void strl5FlexLexer::yy_delete_buffer(yy_buffer_state* b) {
  if (b == nullptr) return;
  if (b == YY_CURRENT_BUFFER) yy_buffer_stack[yy_buffer_stack_top] = nullptr;
  if (b->yy_is_our_buffer != 0) strl5free(b->yy_ch_buf);
  strl5free(b);
}

void strl5FlexLexer::yy_init_buffer(yy_buffer_state* b, std::istream& s) {
  yy_flush_buffer(b);
  b->yy_input_file = s.rdbuf();
  b->yy_fill_buffer = 1;
  if (b != YY_CURRENT_BUFFER) {
    b->yy_bs_lineno = 1;
    b->yy_bs_column = 0;
  }
  b->yy_is_interactive = 0;
}

void strl5FlexLexer::yy_flush_buffer(yy_buffer_state* b) {
  if (b == nullptr) return;
  b->yy_n_chars = 0;
  b->yy_ch_buf[0] = '\0';
  b->yy_ch_buf[1] = '\0';
  b->yy_buf_pos = b->yy_ch_buf;
  b->yy_at_bol = 1;
  b->yy_buffer_status = kBufferNew;
  b->yy_offset = 0;
  b->minus_run = strl5_rules::MinusRun();
  if (b == YY_CURRENT_BUFFER) yy_load_buffer_state();
}

void strl5FlexLexer::yy_load_buffer_state() {
  yy_buffer_state* buffer = YY_CURRENT_BUFFER;
  yy_n_chars = buffer->yy_n_chars;
  yytext = yy_c_buf_p = buffer->yy_buf_pos;
  yyin.rdbuf(buffer->yy_input_file);
  yy_hold_char = *yy_c_buf_p;
}

// Saves the scanning position into the current buffer before another one takes its place.
#define SAVE_CURRENT_BUFFER()                   \
  do {                                          \
    *yy_c_buf_p = yy_hold_char;                 \
    YY_CURRENT_BUFFER->yy_buf_pos = yy_c_buf_p; \
    YY_CURRENT_BUFFER->yy_n_chars = yy_n_chars; \
  } while (0)

void strl5FlexLexer::yy_switch_to_buffer(yy_buffer_state* new_buffer) {
  yyensure_buffer_stack();
  if (YY_CURRENT_BUFFER == new_buffer) return;
  if (YY_CURRENT_BUFFER != nullptr) SAVE_CURRENT_BUFFER();
  yy_buffer_stack[yy_buffer_stack_top] = new_buffer;
  yy_load_buffer_state();
  yy_did_buffer_switch_on_eof = 1;
}

void strl5FlexLexer::yypush_buffer_state(yy_buffer_state* new_buffer) {
  if (new_buffer == nullptr) return;
  yyensure_buffer_stack();
  if (YY_CURRENT_BUFFER != nullptr) {
    SAVE_CURRENT_BUFFER();
    ++yy_buffer_stack_top;
  }
  yy_buffer_stack[yy_buffer_stack_top] = new_buffer;
  yy_load_buffer_state();
  yy_did_buffer_switch_on_eof = 1;
}

void strl5FlexLexer::yypop_buffer_state() {
  if (YY_CURRENT_BUFFER == nullptr) return;
  yy_delete_buffer(YY_CURRENT_BUFFER);
  if (yy_buffer_stack_top > 0) --yy_buffer_stack_top;
  if (YY_CURRENT_BUFFER != nullptr) {
    yy_load_buffer_state();
    yy_did_buffer_switch_on_eof = 1;
  }
}

void strl5FlexLexer::yyensure_buffer_stack() {
  if (yy_buffer_stack == nullptr) {
    yy_buffer_stack = static_cast<yy_buffer_state**>(
        strl5alloc(sizeof(yy_buffer_state*)));  // NOLINT(bugprone-sizeof-expression): pointers
    if (yy_buffer_stack == nullptr) {
      FATAL("out of dynamic memory in yyensure_buffer_stack()");
    }
    yy_buffer_stack[0] = nullptr;
    yy_buffer_stack_max = 1;
    yy_buffer_stack_top = 0;
    return;
  }
  if (yy_buffer_stack_top + 1 < yy_buffer_stack_max) return;
  const std::size_t grown = yy_buffer_stack_max + 8;
  auto* stack = static_cast<yy_buffer_state**>(strl5realloc(
      yy_buffer_stack, grown * sizeof(yy_buffer_state*)));  // NOLINT(bugprone-sizeof-expression)
  if (stack == nullptr) FATAL("out of dynamic memory in yyensure_buffer_stack()");
  std::fill(stack + yy_buffer_stack_max, stack + grown, nullptr);
  yy_buffer_stack = stack;
  yy_buffer_stack_max = grown;
}

void strl5FlexLexer::yyrestart(std::istream& s) {
  if (YY_CURRENT_BUFFER == nullptr) {
    yyensure_buffer_stack();
    yy_buffer_stack[yy_buffer_stack_top] = yy_create_buffer(yyin, kBufferSize);
  }
  yy_init_buffer(YY_CURRENT_BUFFER, s);
  yy_load_buffer_state();
}

void strl5FlexLexer::yyrestart(std::istream* s) {
  yyrestart(s != nullptr ? *s : yyin);
}

void strl5FlexLexer::switch_streams(std::istream& new_in, std::ostream& new_out) {
  yy_delete_buffer(YY_CURRENT_BUFFER);
  yy_switch_to_buffer(yy_create_buffer(new_in, kBufferSize));
  yyout.rdbuf(new_out.rdbuf());
}

void strl5FlexLexer::switch_streams(std::istream* new_in, std::ostream* new_out) {
  if (new_in != nullptr) {
    yy_delete_buffer(YY_CURRENT_BUFFER);
    yy_switch_to_buffer(yy_create_buffer(*new_in, kBufferSize));
  }
  if (new_out != nullptr) yyout.rdbuf(new_out->rdbuf());
}

// ---- Characters and start conditions ------------------------------------------------------------

int strl5FlexLexer::yyinput() {
  ENSURE_STARTED();
  *yy_c_buf_p = yy_hold_char;
  if (yy_c_buf_p - STARTED_BUFFER->yy_ch_buf >= yy_n_chars &&
      yy_get_next_buffer() == kRefillEndOfFile) {
    yy_hold_char = *yy_c_buf_p;
    return EOF;
  }
  const int c = static_cast<unsigned char>(*yy_c_buf_p++);
  yy_hold_char = *yy_c_buf_p;
  return c;
}

void strl5FlexLexer::yyunput(int c, char* /*buf_ptr*/) {
  ENSURE_STARTED();
  yy_buffer_state* buffer = STARTED_BUFFER;
  *yy_c_buf_p = yy_hold_char;
  if (yy_c_buf_p == buffer->yy_ch_buf) {
    // No room in front: move what is left to the end of the buffer.
    const int free_room = buffer->yy_buf_size - yy_n_chars;
    if (free_room <= 0) FATAL("flex scanner push-back overflow");
    std::memmove(buffer->yy_ch_buf + free_room, buffer->yy_ch_buf,
                 static_cast<std::size_t>(yy_n_chars) + 2);
    yy_n_chars += free_room;
    buffer->yy_n_chars = yy_n_chars;
    buffer->yy_offset -= free_room;
    yy_c_buf_p += free_room;
  }
  *--yy_c_buf_p = static_cast<char>(c);
  // The input changed under the remembered run of minus signs.
  buffer->minus_run = strl5_rules::MinusRun();
  yytext = yy_c_buf_p;
  yy_hold_char = *yy_c_buf_p;
}

void strl5FlexLexer::yy_push_state(int new_state) {
  if (yy_start_stack_ptr >= yy_start_stack_depth) {
    const int depth = yy_start_stack_depth + 25;
    int* stack = static_cast<int*>(
        strl5realloc(yy_start_stack, static_cast<std::size_t>(depth) * sizeof(int)));
    if (stack == nullptr) FATAL("out of memory expanding start-condition stack");
    yy_start_stack = stack;
    yy_start_stack_depth = depth;
  }
  yy_start_stack[yy_start_stack_ptr++] = (yy_start - 1) / 2;
  yy_start = 1 + 2 * new_state;
}

void strl5FlexLexer::yy_pop_state() {
  if (--yy_start_stack_ptr < 0) FATAL("start-condition stack underflow");
  yy_start = 1 + 2 * yy_start_stack[yy_start_stack_ptr];
}

int strl5FlexLexer::yy_top_state() {
  return yy_start_stack[yy_start_stack_ptr - 1];
}
