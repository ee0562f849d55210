#include "translate.h"

#include <FlexLexer.h>

#include <cassert>
#include <iostream>
#include <string_view>

#include "process_exit.h"
#include "strl5_parser.h"

namespace quarl {

namespace {

// Quarl snippets.
constexpr std::string_view kSequenceJoiner = "\n >>\n";
constexpr std::string_view kParallelJoiner = "\n||\n";

std::ostream& output() {
  return *pstrl5_parser->output;
}

void write(std::ostream& out, const Text* text) {
  const std::string_view bytes = text->view();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

// Refusals follow the kind column of the one refusal table (refusal.h), which morvac-check reads
// too; the asserts keep the grammar's calls and the table in agreement.
void skip(Refusal construct) {
  assert(refusal_kind(construct) == RefusalKind::Skip);
  std::cerr << refusal_message(construct) << std::endl;
}

void stop(Refusal construct) {
  assert(refusal_kind(construct) != RefusalKind::Skip &&
         refusal_kind(construct) != RefusalKind::None);
  std::cerr << refusal_message(construct) << std::endl;
  morvac_exit(1);
}

Text* refuse(Refusal construct) {
  assert(refusal_kind(construct) == RefusalKind::StopWhenReduced);
  stop(construct);
}

Text* require(Text* text) {
  if (text == nullptr) stop(Refusal::Unknown);
  if (text->is_absent()) {
    assert(refusal_kind(text->construct()) == RefusalKind::WithoutText);
    stop(text->construct());
  }
  return text;
}

void write_module_header(const Text* name) {
  std::ostream& out = output();
  out << "module ";
  write(out, name);
  out << " :" << std::endl;
}

void write_body(Text* body) {
  std::ostream& out = output();
  write(out, require(body));
  out << std::endl;
  release(body);
}

void write_module_end() {
  output() << std::endl << "end" << std::endl << std::endl;
}

int close_module(Text* name) {
  release(name);
  return 0;
}

void write_type_declaration(Text* names) {
  std::ostream& out = output();
  out << "type: (";
  write(out, names);
  out << ");" << std::endl;
  release(names);
}

void begin_signal_line(const char* heading) {
  output() << heading;
}

void end_signal_line(Text* names) {
  std::ostream& out = output();
  write(out, names);
  out << ";" << std::endl;
  release(names);
}

Text* identifier() {
  const FlexLexer& scanner = *pstrl5_parser->scanner;
  return Text::make(std::string_view(scanner.YYText(), static_cast<std::size_t>(scanner.YYLeng())));
}

Text* name_list(Text* first, Text* next) {
  return join(first, ", ", next);
}

Text* parallel(Text* left, Text* right) {
  require(left);
  return join(left, kParallelJoiner, require(right));
}

Text* sequence(Text* first, Text* next) {
  require(first);
  return join(first, kSequenceJoiner, require(next));
}

Text* brackets(Text* instruction) {
  return wrap("{", require(instruction), "}");
}

Text* nothing() {
  return Text::make("nothing");
}

Text* halt() {
  return Text::make("halt");
}

Text* pause() {
  return Text::make("pause");
}

Text* emit(Text* signal) {
  return wrap("emit ", signal, "");
}

Text* emit_value(Text* signal, Text* value) {
  require(value);
  return join(wrap("emit ", signal, "("), "", wrap("", value, ")"));
}

Text* present_event_in_brackets(Text* event) {
  return wrap("{", require(event), "}");
}

Text* present(Text* event, Text* then_part, Text* else_part) {
  Text* head = wrap("present ", require(event), "");
  return join(join(head, " ", require(then_part)), " ", require(else_part));
}

Text* no_branch() {
  return Text::make("");
}

Text* then_branch(Text* instruction) {
  return wrap("{", require(instruction), "}");
}

Text* else_branch(Text* instruction) {
  return wrap(" else {", require(instruction), "}");
}

Text* plain_loop_end() {
  return Text::make("}");
}

Text* loop(Text* body, Text* end) {
  require(body);
  if (require(end)->view() == "}") {
    release(end);
    return wrap("\nloop\n{", body, "\n}");
  }
  Text* restarted = wrap("\nloop\n{\nstrong abort\n{\n", body, "\n  >> halt\n} when ");
  return join(restarted, "", wrap("", end, "\n}"));
}

Text* await(Text* occurrence) {
  return wrap("wait ", require(occurrence), "");
}

Text* sustain(Text* signal) {
  return wrap("loop\n{\n  emit ", signal, "\n >> wait tick\n}\n");
}

Text* sustain_value(Text* signal, Text* value) {
  require(value);
  return join(wrap("loop\n{\n  emit ", signal, "("), "", wrap("", value, ") >> wait tick\n}\n"));
}

Text* strong_abort(Text* body, Text* occurrence) {
  require(body);
  return join(wrap("strong abort\n{\n", body, "\n} when "), "", require(occurrence));
}

Text* weak_abort(Text* body, Text* occurrence) {
  require(body);
  return join(wrap("weak abort\n{\n", body, "\n} when "), "", require(occurrence));
}

Text* event_parentheses(Text* event) {
  return wrap("(", require(event), ")");
}

Text* event_not(Text* event) {
  return wrap("not ", require(event), "");
}

Text* event_and(Text* left, Text* right) {
  require(left);
  return join(left, " AND ", require(right));
}

Text* event_or(Text* left, Text* right) {
  require(left);
  return join(left, " OR ", require(right));
}

}  // namespace quarl
