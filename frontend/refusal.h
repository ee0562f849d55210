// The constructs of Esterel v5 that Quarl does not offer, and the message that refuses each.
#ifndef MORVAC_FRONTEND_REFUSAL_H
#define MORVAC_FRONTEND_REFUSAL_H

enum class Refusal : unsigned char {
  None,  // not a refusal: a real text
  // Declarations that are skipped.
  Functions,
  Procedures,
  Tasks,
  Returns,
  Relations,
  // Declarations and statements that stop the translation.
  InputOutputs,
  Sensors,
  Assignment,
  ProcedureCall,
  PresentCase,
  Repeat,
  AwaitDo,
  AwaitCase,
  Exec,
  DoUpto,
  Every,
  DoWatching,
  DoWatchingTimeout,
  AbortWhenDo,
  AbortWhenCases,
  WeakAbortWhenDo,
  WeakAbortWhenCases,
  PreEvent,
  // Constructs that have no Quarl text: refused by the first action that needs their text.
  If,
  Var,
  LocalSignal,
  Trap,
  Exit,
  Copymodule,
  Run,
  Suspend,
  Finalize,
  ImmediateOccurrence,
  CountedOccurrence,
  BracketedOccurrence,
  NumberConstant,
  StringConstant,
  BooleanConstant,
  ParenthesizedExpression,
  UnaryMinus,
  OperatorMult,
  OperatorSlash,
  OperatorPlus,
  OperatorMinus,
  OperatorMod,
  OperatorEqual,
  OperatorNeq,
  OperatorInf,
  OperatorInfEq,
  OperatorSup,
  OperatorSupEq,
  OperatorNot,
  OperatorAnd,
  OperatorOr,
  FunctionCall,
  SignalValue,
  PreSignalValue,
  Xcur,
  Unknown,  // a value without text whose construct is not known
};

// What the translation does when it meets a construct.
enum class RefusalKind : unsigned char {
  None,             // not a refusal
  Skip,             // a declaration skipped with its message; the translation goes on
  StopAtKeyword,    // a declaration refused as soon as its keyword has been read
  StopWhenReduced,  // a construct refused once it has been read
  WithoutText,      // a construct without Quarl text, refused by the first action needing its text
};

// Returns the message that reports the construct on standard error (empty for Refusal::None).
[[nodiscard]] const char* refusal_message(Refusal construct);
// Returns what the translation does with the construct.
[[nodiscard]] RefusalKind refusal_kind(Refusal construct);

#endif  // MORVAC_FRONTEND_REFUSAL_H
