// The tree as an indented S-expression, for golden tests and for people reading the tree.
#include <algorithm>
#include <cstdio>

#include "esterel_tree.h"

namespace esterel {

namespace {

constexpr std::pair<Flag, const char*> kFlagNames[] = {
    {kWeak, "weak"}, {kImmediate, "immediate"},   {kPositive, "positive"},     {kCopy, "copy"},
    {kPre, "pre"},   {kCopymodule, "copymodule"}, {kIncomplete, "incomplete"}, {kBranch, "branch"},
};

bool shows_text(Kind kind) {
  return kind == Kind::Name || kind == Kind::Number || kind == Kind::String ||
         kind == Kind::Operator;
}

void append_quoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  out += '"';
}

class Printer {
 public:
  Printer(const Tree& tree, std::string_view source) : tree_(tree), source_(source) {
    line_starts_.push_back(0);
    for (std::size_t at = source.find('\n'); at != std::string_view::npos;
         at = source.find('\n', at + 1)) {
      line_starts_.push_back(static_cast<std::uint32_t>(at + 1));
    }
  }

  std::string print(NodeId root) {
    // An explicit stack: programs nest deeper than a thread's stack would allow.
    struct Frame {
      NodeId node;
      std::size_t depth;
    };
    std::vector<Frame> stack{{root, 0}};
    std::vector<std::size_t> open;  // depths of the nodes whose closing parenthesis is due
    while (!stack.empty()) {
      const Frame frame = stack.back();
      stack.pop_back();
      while (!open.empty() && open.back() >= frame.depth) {
        out_ += ')';
        open.pop_back();
      }
      line(frame.node, frame.depth);
      open.push_back(frame.depth);
      const std::vector<NodeId> kids = children(tree_, frame.node);
      for (auto kid = kids.rbegin(); kid != kids.rend(); ++kid) {
        stack.push_back({*kid, frame.depth + 1});
      }
    }
    out_.append(open.size(), ')');
    out_ += '\n';
    return std::move(out_);
  }

 private:
  void position(std::uint32_t offset) {
    const auto line =
        std::upper_bound(line_starts_.begin(), line_starts_.end(), offset) - line_starts_.begin();
    const std::uint32_t column = offset - line_starts_[static_cast<std::size_t>(line - 1)] + 1;
    out_ += std::to_string(line) + ":" + std::to_string(column);
  }

  void line(NodeId id, std::size_t depth) {
    const Node& node = tree_.at(id);
    if (!out_.empty()) out_ += '\n';
    out_.append(2 * depth, ' ');
    out_ += '(';
    out_ += kind_name(node.kind);
    out_ += ' ';
    position(node.span.begin);
    out_ += '-';
    position(node.span.end);
    for (const auto& [flag, name] : kFlagNames) {
      if ((node.flags & flag) != 0) {
        out_ += ' ';
        out_ += name;
      }
    }
    if (shows_text(node.kind)) {
      out_ += ' ';
      append_quoted(out_, text(tree_, source_, id));
    }
  }

  const Tree& tree_;
  std::string_view source_;
  std::vector<std::uint32_t> line_starts_;
  std::string out_;
};

}  // namespace

std::string print_tree(const Tree& tree, std::string_view source) {
  if (tree.root() == kNoNode) return "\n";
  return Printer(tree, source).print(tree.root());
}

}  // namespace esterel
