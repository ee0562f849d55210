#include "refusal.h"

namespace {

struct Entry {
  Refusal construct;
  RefusalKind kind;
  const char* message;
};

// One row per construct, in the order of the enumeration (checked at compile time below).
constexpr Entry kMessages[] = {
    {Refusal::None, RefusalKind::None, ""},
    {Refusal::Functions, RefusalKind::Skip,
     "FUNCTIONS transcription not yet implemented! skipping ..."},
    {Refusal::Procedures, RefusalKind::Skip, "PROCEDURES not implemented in Quarl! skipping ..."},
    {Refusal::Tasks, RefusalKind::Skip, "TASKS not implemented in Quarl! skipping ..."},
    {Refusal::Returns, RefusalKind::Skip, "RETURNS not implemented in Quarl! skipping ..."},
    {Refusal::Relations, RefusalKind::Skip, "RELATIONS not implemented in Quarl! skipping ..."},
    {Refusal::InputOutputs, RefusalKind::StopAtKeyword,
     "INPUTOUTPUTS not implemented in Quarl! stop ..."},
    {Refusal::Sensors, RefusalKind::StopAtKeyword, "SENSORS not implemented in Quarl! stop ..."},
    {Refusal::Assignment, RefusalKind::StopWhenReduced,
     "Assignations not implemented in Quarl! stop ..."},
    {Refusal::ProcedureCall, RefusalKind::StopWhenReduced,
     "Call procedure not implemented in Quarl! stop ..."},
    {Refusal::PresentCase, RefusalKind::StopWhenReduced,
     "present case not implemented in Quarl! stop ..."},
    {Refusal::Repeat, RefusalKind::StopWhenReduced,
     "REPEAT operator not implemented in Quarl! Stop ..."},
    {Refusal::AwaitDo, RefusalKind::StopWhenReduced,
     "AWAIT DO operator not implemented in Quarl! Stop ..."},
    {Refusal::AwaitCase, RefusalKind::StopWhenReduced,
     "AWAIT CASE operator not implemented in Quarl! Stop ..."},
    {Refusal::Exec, RefusalKind::StopWhenReduced,
     "EXEC  operator not implemented in Quarl! Stop ..."},
    {Refusal::DoUpto, RefusalKind::StopWhenReduced,
     "DO UPTO operator not implemented in Quarl! Stop ..."},
    {Refusal::Every, RefusalKind::StopWhenReduced, "Every not yet implemented ... stop"},
    {Refusal::DoWatching, RefusalKind::StopWhenReduced,
     "DO WATCHING operator not yet implemented in Quarl! Stop ..."},
    {Refusal::DoWatchingTimeout, RefusalKind::StopWhenReduced,
     "DO WATCHING TIMEOUT operator not implemented in Quarl! Stop ..."},
    {Refusal::AbortWhenDo, RefusalKind::StopWhenReduced,
     "ABORT WHEN DO operator not implemented in Quarl! Stop ..."},
    {Refusal::AbortWhenCases, RefusalKind::StopWhenReduced,
     "ABORT WHEN with signals list operator not implemented in Quarl! Stop ..."},
    {Refusal::WeakAbortWhenDo, RefusalKind::StopWhenReduced,
     "WEAK ABORT WHEN DO operator not implemented in Quarl! Stop ..."},
    {Refusal::WeakAbortWhenCases, RefusalKind::StopWhenReduced,
     "WEAK ABORT WHEN with signals list operator not implemented in Quarl! Stop ..."},
    {Refusal::PreEvent, RefusalKind::StopWhenReduced, "PRE not implemented in Quarl! stop ..."},
    {Refusal::If, RefusalKind::WithoutText, "IF not implemented in Quarl! stop ..."},
    {Refusal::Var, RefusalKind::WithoutText, "VAR not implemented in Quarl! stop ..."},
    {Refusal::LocalSignal, RefusalKind::WithoutText,
     "local SIGNAL declaration not implemented in Quarl! stop ..."},
    {Refusal::Trap, RefusalKind::WithoutText, "TRAP not implemented in Quarl! stop ..."},
    {Refusal::Exit, RefusalKind::WithoutText, "EXIT not implemented in Quarl! stop ..."},
    {Refusal::Copymodule, RefusalKind::WithoutText,
     "COPYMODULE not implemented in Quarl! stop ..."},
    {Refusal::Run, RefusalKind::WithoutText, "RUN not implemented in Quarl! stop ..."},
    {Refusal::Suspend, RefusalKind::WithoutText, "SUSPEND not implemented in Quarl! stop ..."},
    {Refusal::Finalize, RefusalKind::WithoutText, "FINALIZE not implemented in Quarl! stop ..."},
    {Refusal::ImmediateOccurrence, RefusalKind::WithoutText,
     "IMMEDIATE occurrence not implemented in Quarl! stop ..."},
    {Refusal::CountedOccurrence, RefusalKind::WithoutText,
     "counted occurrence not implemented in Quarl! stop ..."},
    {Refusal::BracketedOccurrence, RefusalKind::WithoutText,
     "bracketed event in an occurrence not implemented in Quarl! stop ..."},
    {Refusal::NumberConstant, RefusalKind::WithoutText,
     "numeric constant not implemented in Quarl! stop ..."},
    {Refusal::StringConstant, RefusalKind::WithoutText,
     "string constant not implemented in Quarl! stop ..."},
    {Refusal::BooleanConstant, RefusalKind::WithoutText,
     "boolean constant not implemented in Quarl! stop ..."},
    {Refusal::ParenthesizedExpression, RefusalKind::WithoutText,
     "parenthesized expression not implemented in Quarl! stop ..."},
    {Refusal::UnaryMinus, RefusalKind::WithoutText,
     "unary minus not implemented in Quarl! stop ..."},
    {Refusal::OperatorMult, RefusalKind::WithoutText,
     "operator * not implemented in Quarl! stop ..."},
    {Refusal::OperatorSlash, RefusalKind::WithoutText,
     "operator / not implemented in Quarl! stop ..."},
    {Refusal::OperatorPlus, RefusalKind::WithoutText,
     "operator + not implemented in Quarl! stop ..."},
    {Refusal::OperatorMinus, RefusalKind::WithoutText,
     "operator - not implemented in Quarl! stop ..."},
    {Refusal::OperatorMod, RefusalKind::WithoutText,
     "operator mod not implemented in Quarl! stop ..."},
    {Refusal::OperatorEqual, RefusalKind::WithoutText,
     "operator = not implemented in Quarl! stop ..."},
    {Refusal::OperatorNeq, RefusalKind::WithoutText,
     "operator != not implemented in Quarl! stop ..."},
    {Refusal::OperatorInf, RefusalKind::WithoutText,
     "operator < not implemented in Quarl! stop ..."},
    {Refusal::OperatorInfEq, RefusalKind::WithoutText,
     "operator <= not implemented in Quarl! stop ..."},
    {Refusal::OperatorSup, RefusalKind::WithoutText,
     "operator > not implemented in Quarl! stop ..."},
    {Refusal::OperatorSupEq, RefusalKind::WithoutText,
     "operator >= not implemented in Quarl! stop ..."},
    {Refusal::OperatorNot, RefusalKind::WithoutText,
     "operator not not implemented in Quarl! stop ..."},
    {Refusal::OperatorAnd, RefusalKind::WithoutText,
     "operator and not implemented in Quarl! stop ..."},
    {Refusal::OperatorOr, RefusalKind::WithoutText,
     "operator or not implemented in Quarl! stop ..."},
    {Refusal::FunctionCall, RefusalKind::WithoutText,
     "function call not implemented in Quarl! stop ..."},
    {Refusal::SignalValue, RefusalKind::WithoutText,
     "signal value ?S not implemented in Quarl! stop ..."},
    {Refusal::PreSignalValue, RefusalKind::WithoutText,
     "pre(?S) not implemented in Quarl! stop ..."},
    {Refusal::Xcur, RefusalKind::WithoutText, "XCUR not implemented in Quarl! stop ..."},
    {Refusal::Unknown, RefusalKind::WithoutText,
     "construct without Quarl text not implemented in Quarl! stop ..."},
};

constexpr bool table_follows_enumeration() {
  int index = 0;
  for (const Entry& entry : kMessages) {
    if (static_cast<int>(entry.construct) != index++) return false;
  }
  return index == static_cast<int>(Refusal::Unknown) + 1;
}
static_assert(table_follows_enumeration(), "one message per construct, in enumeration order");

}  // namespace

const char* refusal_message(Refusal construct) {
  return kMessages[static_cast<int>(construct)].message;
}

RefusalKind refusal_kind(Refusal construct) {
  return kMessages[static_cast<int>(construct)].kind;
}
