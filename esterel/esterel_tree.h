// The syntax tree of an Esterel v5 program: one node per construct, each with the byte span of
// its source text, in an arena. Names and constants keep no text of their own: their span is
// their text in the source. The tree says what was written, not what any tool makes of it.
//
// Children come in a fixed order for each kind, listed below as "children: ...". `X | None`
// is a child that is always there: a None node (an empty span where the part would stand) when
// the part is absent. `X...` is zero or more children of one role; a kind whose children are all
// `X...` is a list. Where the parser recovered from a syntax error, an Error node stands in
// place of the statement, declaration list or module it could not read.
//
// Occurrences (after `await`, `abort ... when`, `every`, `each`, `upto`, `watching`, `suspend
// ... when`, `case`, `return`) are an event, an Immediate or a Counted node. Events (after
// `present`, inside occurrences, and trap handlers) are Name, EventBracket, EventParen,
// EventNot, EventAnd, EventOr or EventPre nodes. Expressions are the kinds of the last group.
#ifndef MORVAC_ESTEREL_ESTEREL_TREE_H
#define MORVAC_ESTEREL_ESTEREL_TREE_H

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace esterel {

// A byte range of the source, [begin, end).
struct Span {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
};

using NodeId = std::uint32_t;  // an index in the tree's arena; 0 is no node
constexpr NodeId kNoNode = 0;

enum class Kind : std::uint8_t {
  // ---- Frame -----------------------------------------------------------------------------
  None,          // an absent optional part; no children
  Error,         // the parts read before a syntax error that no construct took, in source order
  File,          // Module... (and Error where text is no module)
  Module,        // Name, Declarations, body statement; flag kIncomplete
  Declarations,  // TypeDecls | ConstantDecls | FunctionDecls | ... | Relations, in source order

  // ---- Declarations (each list holds an Error where its text could not be read) -----------
  TypeDecls,       // Name...                          `type T, U;`
  ConstantDecls,   // ConstantGroup...                 `constant a = 1, b : integer, c : bool;`
  ConstantGroup,   // Constants, type Name             `a = 1, b : integer`
  Constants,       // Constant...
  Constant,        // Name, value (a constant, possibly Negate(Number)) | None
  FunctionDecls,   // Function...
  Function,        // Name, NameList (argument types), result type Name
  ProcedureDecls,  // Procedure...
  Procedure,       // Name, NameList (reference argument types), NameList (value argument types)
  TaskDecls,       // Task...
  Task,            // Name, NameList (reference argument types), NameList (value argument types)
  Inputs,          // Signal...                        `input S, T : integer;`
  Outputs,         // Signal...
  InputOutputs,    // Signal...
  Returns,         // Signal...
  Sensors,         // Sensor...
  Sensor,          // Name, type Name                  `sensor S : integer` or `S(integer)`
  Relations,       // Implication | Exclusion...
  Implication,     // Name, Name                       `A => B`
  Exclusion,       // Name...  (two or more)           `A # B # C`
  Signal,          // Name, initial value | None, SignalType | None   `S := 0 : integer`
  SignalType,      // type Name | None, combine function (Name | Operator) | None; flag kPre
  Operator,        // no children: an operator or keyword named as a function (`+`, `or`, `mod`)
  NameList,        // Name...
  ExpressionList,  // expression...

  // ---- Statements ------------------------------------------------------------------------
  Nothing,          // no children
  Halt,             // no children
  Pause,            // no children
  Emit,             // Name, value | None
  Sustain,          // Name, value | None
  Assign,           // Name, expression                 `x := e`, `x assign e`
  ProcedureCall,    // Name, NameList (reference arguments), ExpressionList (value arguments)
  Sequence,         // statement... (one or more; `P;` alone is a Sequence of one; its span takes a
                    // final `;` in)
  Parallel,         // statement... (two or more); flag kIncomplete
  Block,            // statement                         `[ P ]`
  Present,          // event, then statement | None, else statement | None
  PresentCases,     // Cases, else statement | None
  Cases,            // Case...
  Case,             // occurrence (an event in PresentCases), do statement | None
  Loop,             // body
  LoopEach,         // body, occurrence                  `loop P each S`
  If,               // condition, then statement | None, ElsIfs, else statement | None
  ElsIfs,           // ElsIf...
  ElsIf,            // condition, then statement | None  (`elsif` or `elseif`)
  Var,              // VarDecls, body
  VarDecls,         // VarGroup...
  VarGroup,         // Variables, type Name              `x := 0, y : integer`
  Variables,        // Variable...
  Variable,         // Name, initial value | None
  LocalSignal,      // Signals, body                     `signal S in P end`
  Signals,          // Signal...
  Repeat,           // count expression, body; flag kPositive
  Await,            // occurrence, do statement | None
  AwaitCases,       // Case...                           `await case S do P case T end`
  Exec,             // task Name, NameList, ExpressionList, return occurrence, do statement | None
  ExecCases,        // ExecCase...
  ExecCase,         // task Name, NameList, ExpressionList, return occurrence, do statement | None
  DoUpto,           // body, occurrence                  `do P upto S`
  Every,            // occurrence, body                  `every S do P end`
  DoWatching,       // body, occurrence, timeout statement | None
  Abort,            // body, occurrence, do statement | None; flag kWeak
  AbortCases,       // body, Cases; flag kWeak
  Trap,             // Traps, body, Handlers
  Traps,            // TrapDecl...
  TrapDecl,         // Name, initial value | None, SignalType | None
  Handlers,         // Handler...
  Handler,          // trap event, statement             `handle T do P`
  Exit,             // Name, value | None
  Run,              // Name, Name | None, Renamings: `run M` is (M, None), `run N / M` is (N, M),
                    // the copy N of module M; flags kCopymodule, kImmediate
  Renamings,        // SignalRenamings | ConstantRenamings | ... | TypeRenamings...
  SignalRenamings,  // Renaming...
  ConstantRenamings,   // Renaming...
  FunctionRenamings,   // Renaming...
  ProcedureRenamings,  // Renaming...
  TaskRenamings,       // Renaming...
  TypeRenamings,       // Renaming...
  Renaming,            // new (Name, Operator or constant), old Name | None: `S / T` puts S in the
                       // place of T; a signal alone, `S`, is (S, None); flag kCopy
  Suspend,             // body, occurrence
  Finalize,            // body, statement                   `finalize P with Q end`

  // ---- Occurrences and events ------------------------------------------------------------
  Immediate,     // event                             `immediate S`
  Counted,       // count expression, event           `3 S`
  EventBracket,  // event                             `[S and T]`
  EventParen,    // event                             `(S and T)`
  EventNot,      // event
  EventAnd,      // event, event
  EventOr,       // event, event
  EventPre,      // event                             `pre(S)`

  // ---- Expressions and constants (a Name is also a signal, a type, a module...) ----------
  Name,          // no children: an identifier
  Number,        // no children: `3`, `2.5`, `1e3`, `2.5f`
  String,        // no children: `"text"`
  True,          // no children
  False,         // no children
  Paren,         // expression                        `(e)`
  SignalValue,   // Name                              `?S`
  PreValue,      // Name                              `pre(?S)`
  TrapValue,     // Name                              `??T`
  Xcur,          // Name                              `xcur S`
  Negate,        // expression                        `-e`
  Not,           // expression
  And,           // expression, expression
  Or,            // expression, expression
  Equal,         // expression, expression            `=`
  NotEqual,      // expression, expression            `<>`, `!=`
  Less,          // expression, expression
  LessEqual,     // expression, expression
  Greater,       // expression, expression
  GreaterEqual,  // expression, expression
  Add,           // expression, expression
  Subtract,      // expression, expression
  Multiply,      // expression, expression
  Divide,        // expression, expression
  Modulo,        // expression, expression            `mod`
  FunctionCall,  // Name, ExpressionList              `f(x, 1)`
};

constexpr std::size_t kKindCount = static_cast<std::size_t>(Kind::FunctionCall) + 1;

// Flags: where a keyword changes what a construct means, and where an error cut a construct.
enum Flag : std::uint16_t {
  kWeak = 1,         // Abort, AbortCases: `weak abort`
  kImmediate = 2,    // Run: `run immediate`
  kPositive = 4,     // Repeat: `positive repeat`
  kCopy = 8,         // Renaming: `copy S / T`
  kPre = 16,         // SignalType: `integer pre`
  kCopymodule = 32,  // Run: written `copymodule`
  kIncomplete = 64,  // an error cut it: a Parallel before its first branch joined it; a Module
                     // in its closing keywords (it holds its body only); a FunctionDecls,
                     // ProcedureDecls, TaskDecls, Relations or Sensors before its `;`, an
                     // ExecCases before its `end`
  kHasParent = 128,  // the node is some node's child
  kBranch = 256,     // a statement read as the then or else part of present, if or elsif
};

struct Node {
  Kind kind;
  std::uint16_t flags;
  Span span;
  NodeId first_child;
  NodeId last_child;
  NodeId next_sibling;
};

class Tree {
 public:
  Tree() { nodes_.push_back(Node{Kind::None, 0, {}, kNoNode, kNoNode, kNoNode}); }

  // The File node (after a parse, always one).
  [[nodiscard]] NodeId root() const { return root_; }
  [[nodiscard]] const Node& at(NodeId id) const { return nodes_[id]; }
  // Returns the number of nodes made, the slot of kNoNode included; every id below it is valid.
  [[nodiscard]] std::size_t size() const { return nodes_.size(); }

  // Building, for the parser: a new node with the given children (kNoNode ones left out).
  NodeId add(Kind kind, Span span, std::initializer_list<NodeId> children, std::uint16_t flags = 0);
  // Appends child to node's children.
  void append(NodeId node, NodeId child);
  // Puts child before node's children.
  void prepend(NodeId node, NodeId child);
  Node& edit(NodeId id) { return nodes_[id]; }
  void set_root(NodeId id) { root_ = id; }
  void reserve(std::size_t nodes) { nodes_.reserve(nodes); }

 private:
  std::vector<Node> nodes_;
  NodeId root_ = kNoNode;
};

// Returns whether kind is one of the expressions and constants (the last group above, Name
// included).
[[nodiscard]] constexpr bool is_expression(Kind kind) {
  return kind >= Kind::Name;
}
// Returns whether kind is an event with parts: EventBracket to EventPre.
[[nodiscard]] constexpr bool is_event_operator(Kind kind) {
  return kind >= Kind::EventBracket && kind <= Kind::EventPre;
}

// Returns the name of a kind, as written in this header ("LoopEach").
[[nodiscard]] const char* kind_name(Kind kind);

// Returns the index-th child of node (from 0), or kNoNode.
[[nodiscard]] NodeId child(const Tree& tree, NodeId node, std::size_t index);
// Returns the number of node's children.
[[nodiscard]] std::size_t child_count(const Tree& tree, NodeId node);
// Returns node's children, in order.
[[nodiscard]] std::vector<NodeId> children(const Tree& tree, NodeId node);
// Returns the source text of node (of a Name: the name).
[[nodiscard]] std::string_view text(const Tree& tree, std::string_view source, NodeId node);
// Returns whether node is there: not kNoNode and not a None.
[[nodiscard]] bool present(const Tree& tree, NodeId node);

// Returns the tree as an indented S-expression, one node a line: its kind, its span as
// line:column-line:column (bytes, from 1), its flags, and the text of a leaf in double quotes.
// Nodes outside the root (none after a parse) are not printed.
[[nodiscard]] std::string print_tree(const Tree& tree, std::string_view source);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_ESTEREL_TREE_H
