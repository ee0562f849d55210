#include "statement_rewrite.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "esterel_grammar.hh"

using esterel::Kind;
using esterel::NodeId;
using esterel::Tree;

class StatementRewriter::Impl {
 public:
  Impl(std::string_view source, const std::vector<Token>& tokens, const Tree& tree,
       const Copy& copy)
      : source_(source), tokens_(tokens), tree_(tree), copy_(copy) {}

  void rewrite(NodeId node) {
    // A statement rewritten writes its occurrence anew, brackets gone.
    if (!visit(node)) bracket_rewrite(node);
  }

  bool add(StatementRewrite rewrite) {
    for (const PlannedEdit& edit : rewrite.edits) {
      if (edit.source.end <= edit.source.begin || copy_edits_inside(edit.source)) return false;
    }
    for (const PlannedEdit& edit : rewrite.edits) derived_.emplace(edit.source.begin, edit);
    rewrites_.push_back(std::move(rewrite));
    return true;
  }

  std::vector<StatementRewrite> rewrites_;

 private:
  [[nodiscard]] const esterel::Node& at(NodeId node) const { return tree_.at(node); }
  [[nodiscard]] NodeId part(NodeId node, std::size_t index) const {
    return esterel::child(tree_, node, index);
  }
  [[nodiscard]] std::string text(Span span) const {
    return std::string(source_.substr(span.begin, span.end - span.begin));
  }

  // The token that begins at or after offset.
  [[nodiscard]] const Token* token_from(std::uint32_t offset) const {
    const auto found = std::lower_bound(
        tokens_.begin(), tokens_.end(), offset,
        [](const Token& token, std::uint32_t at) { return token.span.begin < at; });
    return found == tokens_.end() ? nullptr : &*found;
  }
  // The span of the token of code that comes first after offset, or an empty span.
  [[nodiscard]] Span keyword_after(std::uint32_t offset, int code) const {
    const Token* token = token_from(offset);
    return token != nullptr && token->code == code ? token->span : Span{};
  }
  // The closing `end` of node after its last part, with the keyword that may follow it.
  [[nodiscard]] Span closing_end(NodeId node, NodeId last_part) const {
    const Span end = keyword_after(at(last_part).span.end, TOK_END);
    return end.end == 0 ? Span{} : Span{end.begin, at(node).span.end};
  }

  // The signal that an occurrence is, in brackets or not; kNoNode for any other occurrence.
  [[nodiscard]] NodeId signal_of(NodeId occurrence) const {
    while (at(occurrence).kind == Kind::EventBracket) occurrence = at(occurrence).first_child;
    return at(occurrence).kind == Kind::Name ? occurrence : esterel::kNoNode;
  }
  // The count of a counted occurrence written as a literal of at least 1, or 0.
  [[nodiscard]] std::size_t literal_count(NodeId count) const {
    if (at(count).kind != Kind::Number) return 0;
    const std::string digits = text(at(count).span);
    if (digits.empty() || digits.size() > 7 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return 0;
    }
    return std::stoul(digits);
  }

  // What waits for an occurrence in morvac's statements: `await S` once or n times, or the
  // definition of an immediate await; empty where morvac has none.
  [[nodiscard]] std::string awaiting(NodeId occurrence) const {
    const Kind kind = at(occurrence).kind;
    NodeId signal = esterel::kNoNode;
    std::size_t count = 1;
    if (kind == Kind::Counted) {
      count = literal_count(part(occurrence, 0));
      signal = signal_of(part(occurrence, 1));
    } else if (kind == Kind::Immediate) {
      signal = signal_of(part(occurrence, 0));
      if (signal == esterel::kNoNode) return {};
      const std::string name = text(at(signal).span);
      return "present " + name + " else await " + name + " end";
    } else {
      signal = signal_of(occurrence);
    }
    if (signal == esterel::kNoNode || count == 0) return {};
    const std::string one = "await " + text(at(signal).span);
    if (count * (one.size() + 2) > kMostRepeatedText) return {};
    std::string all = one;
    for (std::size_t i = 1; i < count; ++i) all += "; " + one;
    return all;
  }

  // Whether the copy already edits something inside span (a comment, a spelling): a rewrite
  // that replaces span whole would lose it.
  [[nodiscard]] bool copy_edits_inside(Span span) const {
    const auto first = std::lower_bound(
        copy_.edits.begin(), copy_.edits.end(), span.begin,
        [](const CopyEdit& edit, std::uint32_t offset) { return edit.source.end <= offset; });
    return first != copy_.edits.end() && first->source.begin < span.end;
  }

  // Returns whether the rewrite is made (none of its edits is empty or holds an edit of the
  // copy).
  bool add(NodeId node, std::string form, std::string definition, std::vector<PlannedEdit> edits) {
    std::vector<Span> mended{at(node).span};
    // The occurrence, counted, immediate or in brackets, down to its signal.
    for (NodeId part = occurrence_of(node); part != esterel::kNoNode && at(part).kind != Kind::Name;
         part = at(part).kind == Kind::Counted ? this->part(part, 1) : at(part).first_child) {
      mended.push_back(at(part).span);
    }
    return add(StatementRewrite{"derived-statement", at(node).span, std::move(form),
                                std::move(definition), std::move(edits), std::move(mended)});
  }
  // An edit that writes text in span's place, followed by the line ends that span holds: the
  // lines after it stay where they are.
  PlannedEdit edit(Span span, std::string text) const {
    return derived_edit(source_, span, std::move(text));
  }

  // Returns whether node is rewritten.
  bool visit(NodeId node) {
    switch (at(node).kind) {
      case Kind::Every:
        return every(node);
      case Kind::Await:
        return await(node);
      case Kind::DoWatching:
        return do_preemption(node, TOK_WATCHING, "watching", "when ");
      case Kind::DoUpto:
        return do_preemption(node, TOK_UPTO, "upto", "; halt when ");
      case Kind::PresentCases:
        return present_cases(node);
      case Kind::Repeat:
        return repeat(node);
      default:
        return false;
    }
  }

  bool every(NodeId node) {
    const NodeId occurrence = part(node, 0);
    const NodeId body = part(node, 1);
    const NodeId signal = signal_of(occurrence);
    if (signal == esterel::kNoNode) return false;
    const std::string name = text(at(signal).span);
    const Span head{at(node).span.begin, at(occurrence).span.end};
    return add(node, "`every " + name + " do ... end`",
               "`[await " + name + "; loop ... each " + name + "]`",
               {edit(head, "[await " + name), edit(keyword_after(head.end, TOK_DO), "; loop"),
                edit(closing_end(node, body), "each " + name + "]")});
  }

  bool await(NodeId node) {
    const NodeId occurrence = part(node, 0);
    const NodeId body = part(node, 1);
    const std::string waiting = awaiting(occurrence);
    if (waiting.empty()) return false;
    const Span head{at(node).span.begin, at(occurrence).span.end};
    const std::string form = text(head);
    if (at(body).kind == Kind::None) {
      // A plain `await S` is morvac's own.
      if (at(occurrence).kind != Kind::Counted && at(occurrence).kind != Kind::Immediate)
        return false;
      const bool several = waiting.find(';') != std::string::npos;
      const std::string definition = several ? "[" + waiting + "]" : waiting;
      return add(node, "`" + form + "`", "`" + definition + "`", {edit(head, definition)});
    }
    return add(node, "`" + form + " do ... end`", "`[" + waiting + "; ...]`",
               {edit(head, "[" + waiting), edit(keyword_after(head.end, TOK_DO), ";"),
                edit(closing_end(node, body), "]")});
  }

  // `do P watching S` as `abort P when S` (without a timeout, whose definition needs a trap),
  // `do P upto S` as `abort P; halt when S`: the `do` becomes `abort`, the closing keyword and
  // the occurrence `then` followed by the signal.
  bool do_preemption(NodeId node, int closing, const std::string& keyword,
                     const std::string& then) {
    const NodeId body = part(node, 0);
    const NodeId occurrence = part(node, 1);
    const NodeId signal = signal_of(occurrence);
    if (signal == esterel::kNoNode) return false;
    if (at(node).kind == Kind::DoWatching && at(part(node, 2)).kind != Kind::None) return false;
    const std::string name = text(at(signal).span);
    const Span closing_span = keyword_after(at(body).span.end, closing);
    return add(node, "`do ... " + keyword + " " + name + "`",
               "`abort ..." + std::string(then[0] == ';' ? "" : " ") + then + name + "`",
               {edit(keyword_after(at(node).span.begin, TOK_DO), "abort"),
                edit(Span{closing_span.begin, at(occurrence).span.end}, then + name)});
  }

  bool present_cases(NodeId node) {
    const NodeId cases = part(node, 0);
    const NodeId otherwise = part(node, 1);
    std::vector<PlannedEdit> edits;
    std::size_t count = 0;
    for (NodeId one = at(cases).first_child; one != esterel::kNoNode; one = at(one).next_sibling) {
      const NodeId event = part(one, 0);
      const Span keyword = keyword_after(at(one).span.begin, TOK_CASE);
      // `present case` becomes `present`, each later `case` an `else present`.
      edits.push_back(count == 0 ? edit(Span{at(node).span.begin, keyword.end}, "present")
                                 : edit(keyword, "else present"));
      if (at(part(one, 1)).kind != Kind::None) {
        edits.push_back(edit(keyword_after(at(event).span.end, TOK_DO), "then"));
      }
      ++count;
    }
    const NodeId last = at(otherwise).kind != Kind::None ? otherwise : cases;
    std::string ends = "end";
    for (std::size_t i = 1; i < count; ++i) ends += " end";
    edits.push_back(edit(closing_end(node, last), ends));
    return add(node, "`present case ... end`", "`present ... then ... else present ... end end`",
               std::move(edits));
  }

  bool repeat(NodeId node) {
    const std::size_t count = literal_count(part(node, 0));
    const NodeId body = part(node, 1);
    if (count == 0) return false;
    const Span times = keyword_after(at(part(node, 0)).span.end, TOK_TIMES);
    const Span end = closing_end(node, body);
    if (times.end == 0 || end.end == 0) return false;
    // One line: the lines after the statement stay where they are.
    std::string copy = on_one_line(body_text(at(body).span));
    const bool ends_with_semicolon = !copy.empty() && copy.back() == ';';
    while (!copy.empty() && (copy.back() == ';' || copy.back() == ' ' || copy.back() == '\t')) {
      copy.pop_back();
    }
    if ((count - 1) * (copy.size() + 2) > kMostRepeatedText) return false;
    std::string copies = ends_with_semicolon || count == 1 ? " " : "; ";
    for (std::size_t i = 1; i < count; ++i) copies += copy + (i + 1 < count ? "; " : "");
    const std::string n = text(at(part(node, 0)).span);
    return add(node, "`repeat " + n + " times ... end`",
               "`[...; ...]` (" + n + (count == 1 ? " copy)" : " copies)"),
               {edit(Span{at(node).span.begin, times.end}, "["), edit(end, copies + "]")});
  }

 public:
  // The text that the copy writes for a span of the source: the copy's, with the rewrites made
  // inside it so far.
  [[nodiscard]] std::string body_text(Span span) const {
    std::string out;
    std::uint32_t done = span.begin;
    for (auto edit = derived_.lower_bound(span.begin);
         edit != derived_.end() && edit->second.source.end <= span.end; ++edit) {
      out += copy_text(Span{done, edit->second.source.begin});
      out += edit->second.text;
      done = edit->second.source.end;
    }
    out += copy_text(Span{done, span.end});
    return out;
  }

 private:
  // The copy's text of a span of the source that cuts no edit of the copy.
  [[nodiscard]] std::string copy_text(Span span) const {
    const auto to_copy = [&](std::uint32_t offset) {
      const auto after = std::upper_bound(
          copy_.edits.begin(), copy_.edits.end(), offset,
          [](std::uint32_t x, const CopyEdit& edit) { return x < edit.source.end; });
      if (after == copy_.edits.begin()) return offset;
      const CopyEdit& last = *(after - 1);
      return last.copy.end + (offset - last.source.end);
    };
    const std::uint32_t begin = to_copy(span.begin);
    return copy_.text.substr(begin, to_copy(span.end) - begin);
  }

  // `[S]` where the occurrence of node stands, but where a rewrite writes it anew.
  void bracket_rewrite(NodeId node) {
    const NodeId occurrence = occurrence_of(node);
    if (occurrence == esterel::kNoNode || at(occurrence).kind != Kind::EventBracket) return;
    const NodeId signal = signal_of(occurrence);
    if (signal == esterel::kNoNode) return;
    const std::string name = text(at(signal).span);
    const Span span = at(occurrence).span;
    const Span inner = at(signal).span;
    add(occurrence, "`[" + name + "]`", "`" + name + "`",
        {edit(Span{span.begin, inner.begin}, std::string(inner.begin - span.begin, ' ')),
         edit(Span{inner.end, span.end}, std::string(span.end - inner.end, ' '))});
  }
  // The occurrence of a statement that morvac reads with one, or kNoNode.
  [[nodiscard]] NodeId occurrence_of(NodeId node) const {
    switch (at(node).kind) {
      case Kind::Await:
      case Kind::Every:
        return part(node, 0);
      case Kind::Abort:
      case Kind::LoopEach:
      case Kind::Suspend:
      case Kind::DoUpto:
      case Kind::DoWatching:
        return part(node, 1);
      default:
        return esterel::kNoNode;
    }
  }
  std::string_view source_;
  const std::vector<Token>& tokens_;
  const Tree& tree_;
  const Copy& copy_;
  std::map<std::uint32_t, PlannedEdit> derived_;  // the edits made, by where they begin
};

std::string on_one_line(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t blanks_end = std::min(text.find_first_not_of(" \t\r\n", at), text.size());
    if (blanks_end == at) {
      out += text[at++];
      continue;
    }
    const std::string_view blanks = text.substr(at, blanks_end - at);
    // Strings end with their line: blanks around a line end are no string's.
    if (blanks.find_first_of("\r\n") != std::string_view::npos) {
      out += ' ';
    } else {
      out += blanks;
    }
    at = blanks_end;
  }
  return out;
}

PlannedEdit derived_edit(std::string_view source, Span span, std::string text) {
  for (std::uint32_t at = span.begin; at < span.end; ++at) {
    if (source[at] == '\n') text += at > span.begin && source[at - 1] == '\r' ? "\r\n" : "\n";
  }
  return PlannedEdit{span, std::move(text), EditReason::Derived};
}

StatementRewriter::StatementRewriter(std::string_view source, const std::vector<Token>& tokens,
                                     const esterel::Tree& tree, const Copy& copy)
    : impl_(std::make_unique<Impl>(source, tokens, tree, copy)) {}
StatementRewriter::~StatementRewriter() = default;
StatementRewriter::StatementRewriter(StatementRewriter&&) noexcept = default;

void StatementRewriter::rewrite(NodeId node) {
  impl_->rewrite(node);
}
bool StatementRewriter::add(StatementRewrite rewrite) {
  return impl_->add(std::move(rewrite));
}
std::string StatementRewriter::text(Span span) const {
  return impl_->body_text(span);
}
std::size_t StatementRewriter::count() const {
  return impl_->rewrites_.size();
}
StatementRewrite& StatementRewriter::at(std::size_t index) {
  return impl_->rewrites_[index];
}
std::vector<StatementRewrite> StatementRewriter::take() {
  return std::move(impl_->rewrites_);
}
