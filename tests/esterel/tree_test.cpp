// The Esterel reader's tree: golden dumps of programs that cover every construct, the shape that
// the header promises for each kind on every program of the repository, and the helpers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "esterel_parser.h"
#include "esterel_tree.h"
#include "program_files.h"

namespace {

using esterel::Kind;
using esterel::NodeId;
using esterel::Tree;

namespace fs = std::filesystem;

// The dump of the tree, then one line per syntax error: "error LINE:COLUMN: MESSAGE".
std::string dump(const std::string& source) {
  const esterel::Parse parse = esterel::read_esterel(source);
  std::string out = esterel::print_tree(parse.tree, source);
  for (const esterel::SyntaxError& error : parse.errors) {
    const std::string before = source.substr(0, error.span.begin);
    const std::size_t line_start = before.rfind('\n') + 1;  // 0 on the first line
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    out += "error " + std::to_string(line) + ":" +
           std::to_string(error.span.begin - line_start + 1) + ": " + error.message + "\n";
  }
  return out;
}

TEST(EsterelTree, GoldenDumps) {
  const std::vector<fs::path> programs = programs_in(TREE_GOLDEN_DIR);
  ASSERT_FALSE(programs.empty());
  for (const fs::path& program : programs) {
    fs::path expected = program;
    expected.replace_extension(".tree");
    EXPECT_EQ(read_program(expected), dump(read_program(program))) << program;
  }
}

TEST(EsterelTree, GoldenProgramsShowEveryKindAndFlag) {
  std::set<std::string> words;
  for (const fs::path& program : programs_in(TREE_GOLDEN_DIR)) {
    std::stringstream lines(dump(read_program(program)));
    for (std::string word; lines >> word;)
      words.insert(word.front() == '(' ? word.substr(1) : word);
  }
  for (std::size_t k = 0; k < esterel::kKindCount; ++k) {
    EXPECT_EQ(1u, words.count(esterel::kind_name(static_cast<Kind>(k))))
        << esterel::kind_name(static_cast<Kind>(k)) << " is in no golden tree";
  }
  for (const char* flag :
       {"weak", "immediate", "positive", "copy", "pre", "copymodule", "incomplete", "branch"}) {
    EXPECT_EQ(1u, words.count(flag)) << flag << " is in no golden tree";
  }
}

// The number of children of each kind with a fixed number of them; -1 for a list.
int arity(Kind kind) {
  switch (kind) {
    case Kind::None:
    case Kind::Operator:
    case Kind::Nothing:
    case Kind::Halt:
    case Kind::Pause:
    case Kind::Name:
    case Kind::Number:
    case Kind::String:
    case Kind::True:
    case Kind::False:
      return 0;
    case Kind::Block:
    case Kind::Loop:
    case Kind::Immediate:
    case Kind::EventBracket:
    case Kind::EventParen:
    case Kind::EventNot:
    case Kind::EventPre:
    case Kind::Paren:
    case Kind::SignalValue:
    case Kind::PreValue:
    case Kind::TrapValue:
    case Kind::Xcur:
    case Kind::Negate:
    case Kind::Not:
      return 1;
    case Kind::ConstantGroup:
    case Kind::Constant:
    case Kind::Sensor:
    case Kind::Implication:
    case Kind::SignalType:
    case Kind::Emit:
    case Kind::Sustain:
    case Kind::Assign:
    case Kind::PresentCases:
    case Kind::Case:
    case Kind::LoopEach:
    case Kind::ElsIf:
    case Kind::Var:
    case Kind::VarGroup:
    case Kind::Variable:
    case Kind::LocalSignal:
    case Kind::Repeat:
    case Kind::Await:
    case Kind::DoUpto:
    case Kind::Every:
    case Kind::AbortCases:
    case Kind::Handler:
    case Kind::Exit:
    case Kind::Renaming:
    case Kind::Suspend:
    case Kind::Finalize:
    case Kind::Counted:
    case Kind::EventAnd:
    case Kind::EventOr:
    case Kind::And:
    case Kind::Or:
    case Kind::Equal:
    case Kind::NotEqual:
    case Kind::Less:
    case Kind::LessEqual:
    case Kind::Greater:
    case Kind::GreaterEqual:
    case Kind::Add:
    case Kind::Subtract:
    case Kind::Multiply:
    case Kind::Divide:
    case Kind::Modulo:
    case Kind::FunctionCall:
      return 2;
    case Kind::Module:
    case Kind::Function:
    case Kind::Procedure:
    case Kind::Task:
    case Kind::Signal:
    case Kind::ProcedureCall:
    case Kind::Present:
    case Kind::DoWatching:
    case Kind::Abort:
    case Kind::Trap:
    case Kind::TrapDecl:
    case Kind::Run:
      return 3;
    case Kind::If:
      return 4;
    case Kind::Exec:
    case Kind::ExecCase:
      return 5;
    default:
      return -1;
  }
}

// Every node under the root once, with the number of children its kind promises; the nodes
// outside the root are lists that a declaration emptied into its own node.
void expect_shape(const Tree& tree, const fs::path& program) {
  std::vector<bool> seen(tree.size(), false);
  std::vector<NodeId> stack{tree.root()};
  ASSERT_EQ(Kind::File, tree.at(tree.root()).kind) << program;
  while (!stack.empty()) {
    const NodeId node = stack.back();
    stack.pop_back();
    ASSERT_FALSE(seen[node]) << program << ": node " << node << " has two places";
    seen[node] = true;
    const esterel::Node& n = tree.at(node);
    const auto count = static_cast<int>(esterel::child_count(tree, node));
    const bool incomplete = (n.flags & esterel::kIncomplete) != 0;
    if (n.kind == Kind::Module && incomplete) {
      EXPECT_EQ(1, count) << program << ": an incomplete module holds its body";
    } else if (arity(n.kind) >= 0) {
      EXPECT_EQ(arity(n.kind), count) << program << ": " << esterel::kind_name(n.kind);
    } else if (n.kind == Kind::Parallel || n.kind == Kind::Exclusion) {
      EXPECT_LE(2, count) << program;
    } else if (n.kind == Kind::Sequence) {
      EXPECT_LE(1, count) << program;
    }
    EXPECT_LE(n.span.begin, n.span.end) << program;
    // Parts lie inside their construct, in source order, apart from one another. An Error spans
    // the error, its parts what was read before it; a module cut in its closing keywords spans
    // from its `module`.
    const bool error = n.kind == Kind::Error;
    std::uint32_t after = error ? 0 : n.span.begin;
    for (const NodeId part : esterel::children(tree, node)) {
      const esterel::Node& p = tree.at(part);
      EXPECT_NE(0, p.flags & esterel::kHasParent) << program;
      if (p.kind != Kind::Module || (p.flags & esterel::kIncomplete) == 0) {
        EXPECT_LE(after, p.span.begin)
            << program << ": " << esterel::kind_name(p.kind) << " in " << esterel::kind_name(n.kind);
        after = std::max(after, p.span.end);
      }
      if (!error) {
        EXPECT_LE(p.span.end, n.span.end) << program << ": " << esterel::kind_name(n.kind);
      }
      stack.push_back(part);
    }
  }
  for (NodeId node = 1; node < tree.size(); ++node) {
    if (!seen[node]) {
      EXPECT_EQ(0u, esterel::child_count(tree, node)) << program << ": " << node;
    }
  }
}

TEST(EsterelTree, EveryKindHasItsShapeOnEveryProgram) {
  const std::vector<fs::path> programs = programs_in(PROGRAM_DIRS);
  ASSERT_LT(100u, programs.size());
  for (const fs::path& program : programs) {
    const std::string source = read_program(program);
    expect_shape(esterel::read_esterel(source).tree, program);
  }
}

TEST(EsterelTree, Helpers) {
  const std::string source = "module M: emit S(3) end module";
  const esterel::Parse parse = esterel::read_esterel(source);
  const Tree& tree = parse.tree;
  EXPECT_TRUE(parse.errors.empty());
  const NodeId module = esterel::child(tree, tree.root(), 0);
  EXPECT_EQ(esterel::kNoNode, esterel::child(tree, tree.root(), 1));
  EXPECT_EQ(3u, esterel::child_count(tree, module));
  EXPECT_EQ("M", esterel::text(tree, source, esterel::child(tree, module, 0)));
  const NodeId emit = esterel::child(tree, module, 2);
  EXPECT_EQ(Kind::Emit, tree.at(emit).kind);
  EXPECT_EQ("emit S(3)", esterel::text(tree, source, emit));
  const std::vector<NodeId> parts = esterel::children(tree, emit);
  ASSERT_EQ(2u, parts.size());
  EXPECT_EQ("S", esterel::text(tree, source, parts[0]));
  EXPECT_EQ("3", esterel::text(tree, source, parts[1]));
  EXPECT_TRUE(esterel::present(tree, parts[1]));
  EXPECT_FALSE(esterel::present(tree, esterel::kNoNode));
  EXPECT_FALSE(esterel::present(tree, esterel::child(tree, esterel::child(tree, module, 1), 0)));
  const esterel::Parse pure = esterel::read_esterel("module M: emit S end module");
  const NodeId pure_emit =
      esterel::child(pure.tree, esterel::child(pure.tree, pure.tree.root(), 0), 2);
  EXPECT_FALSE(esterel::present(pure.tree, esterel::child(pure.tree, pure_emit, 1)));
  EXPECT_EQ(24u, sizeof(esterel::Node)) << "a node stays small";
}

TEST(EsterelTree, KindNamesAndGroups) {
  std::set<std::string> names;
  for (std::size_t k = 0; k < esterel::kKindCount; ++k) {
    const auto kind = static_cast<Kind>(k);
    names.insert(esterel::kind_name(kind));
    const bool event = kind == Kind::EventBracket || kind == Kind::EventParen ||
                       kind == Kind::EventNot || kind == Kind::EventAnd || kind == Kind::EventOr ||
                       kind == Kind::EventPre;
    EXPECT_EQ(event, esterel::is_event_operator(kind)) << esterel::kind_name(kind);
  }
  EXPECT_EQ(esterel::kKindCount, names.size()) << "one name a kind";
  EXPECT_STREQ("LoopEach", esterel::kind_name(Kind::LoopEach));
  EXPECT_STREQ("FunctionCall", esterel::kind_name(Kind::FunctionCall));
  EXPECT_TRUE(esterel::is_expression(Kind::Name));
  EXPECT_TRUE(esterel::is_expression(Kind::FunctionCall));
  EXPECT_FALSE(esterel::is_expression(Kind::EventPre));
  EXPECT_FALSE(esterel::is_expression(Kind::Finalize));
}

TEST(EsterelTree, EmptyAndDeepPrograms) {
  EXPECT_EQ("(File 1:1-1:1)\nerror 1:1: syntax error, unexpected end of file, expecting `module`\n",
            dump(""));
  // The printer needs no deep recursion.
  std::string deep = "module M: ";
  for (int i = 0; i < 3000; ++i) deep += "[";
  deep += "nothing";
  for (int i = 0; i < 3000; ++i) deep += "]";
  deep += " end module";
  const std::string tree = dump(deep);
  EXPECT_NE(std::string::npos, tree.find("(Nothing 1:3011-1:3018)"));
  EXPECT_EQ(std::string::npos, tree.find("error"));
}

}  // namespace
