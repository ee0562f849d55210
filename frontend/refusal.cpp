#include "refusal.h"

namespace {

struct Entry {
  Refusal construct;
  const char* message;
};

// One row per construct, in the order of the enumeration (checked at compile time below).
constexpr Entry kMessages[] = {
    {Refusal::None, ""},
    {Refusal::Functions, "FUNCTIONS transcription not yet implemented! skipping ..."},
    {Refusal::Procedures, "PROCEDURES not implemented in Quarl! skipping ..."},
    {Refusal::Tasks, "TASKS not implemented in Quarl! skipping ..."},
    {Refusal::Returns, "RETURNS not implemented in Quarl! skipping ..."},
    {Refusal::Relations, "RELATIONS not implemented in Quarl! skipping ..."},
    {Refusal::InputOutputs, "INPUTOUTPUTS not implemented in Quarl! stop ..."},
    {Refusal::Sensors, "SENSORS not implemented in Quarl! stop ..."},
    {Refusal::Assignment, "Assignations not implemented in Quarl! stop ..."},
    {Refusal::ProcedureCall, "Call procedure not implemented in Quarl! stop ..."},
    {Refusal::PresentCase, "present case not implemented in Quarl! stop ..."},
    {Refusal::Repeat, "REPEAT operator not implemented in Quarl! Stop ..."},
    {Refusal::AwaitDo, "AWAIT DO operator not implemented in Quarl! Stop ..."},
    {Refusal::AwaitCase, "AWAIT CASE operator not implemented in Quarl! Stop ..."},
    {Refusal::Exec, "EXEC  operator not implemented in Quarl! Stop ..."},
    {Refusal::DoUpto, "DO UPTO operator not implemented in Quarl! Stop ..."},
    {Refusal::Every, "Every not yet implemented ... stop"},
    {Refusal::DoWatching, "DO WATCHING operator not yet implemented in Quarl! Stop ..."},
    {Refusal::DoWatchingTimeout, "DO WATCHING TIMEOUT operator not implemented in Quarl! Stop ..."},
    {Refusal::AbortWhenDo, "ABORT WHEN DO operator not implemented in Quarl! Stop ..."},
    {Refusal::AbortWhenCases,
     "ABORT WHEN with signals list operator not implemented in Quarl! Stop ..."},
    {Refusal::WeakAbortWhenDo, "WEAK ABORT WHEN DO operator not implemented in Quarl! Stop ..."},
    {Refusal::WeakAbortWhenCases,
     "WEAK ABORT WHEN with signals list operator not implemented in Quarl! Stop ..."},
    {Refusal::PreEvent, "PRE not implemented in Quarl! stop ..."},
    {Refusal::If, "IF not implemented in Quarl! stop ..."},
    {Refusal::Var, "VAR not implemented in Quarl! stop ..."},
    {Refusal::LocalSignal, "local SIGNAL declaration not implemented in Quarl! stop ..."},
    {Refusal::Trap, "TRAP not implemented in Quarl! stop ..."},
    {Refusal::Exit, "EXIT not implemented in Quarl! stop ..."},
    {Refusal::Copymodule, "COPYMODULE not implemented in Quarl! stop ..."},
    {Refusal::Run, "RUN not implemented in Quarl! stop ..."},
    {Refusal::Suspend, "SUSPEND not implemented in Quarl! stop ..."},
    {Refusal::Finalize, "FINALIZE not implemented in Quarl! stop ..."},
    {Refusal::ImmediateOccurrence, "IMMEDIATE occurrence not implemented in Quarl! stop ..."},
    {Refusal::CountedOccurrence, "counted occurrence not implemented in Quarl! stop ..."},
    {Refusal::BracketedOccurrence,
     "bracketed event in an occurrence not implemented in Quarl! stop ..."},
    {Refusal::NumberConstant, "numeric constant not implemented in Quarl! stop ..."},
    {Refusal::StringConstant, "string constant not implemented in Quarl! stop ..."},
    {Refusal::BooleanConstant, "boolean constant not implemented in Quarl! stop ..."},
    {Refusal::ParenthesizedExpression,
     "parenthesized expression not implemented in Quarl! stop ..."},
    {Refusal::UnaryMinus, "unary minus not implemented in Quarl! stop ..."},
    {Refusal::OperatorMult, "operator * not implemented in Quarl! stop ..."},
    {Refusal::OperatorSlash, "operator / not implemented in Quarl! stop ..."},
    {Refusal::OperatorPlus, "operator + not implemented in Quarl! stop ..."},
    {Refusal::OperatorMinus, "operator - not implemented in Quarl! stop ..."},
    {Refusal::OperatorMod, "operator mod not implemented in Quarl! stop ..."},
    {Refusal::OperatorEqual, "operator = not implemented in Quarl! stop ..."},
    {Refusal::OperatorNeq, "operator != not implemented in Quarl! stop ..."},
    {Refusal::OperatorInf, "operator < not implemented in Quarl! stop ..."},
    {Refusal::OperatorInfEq, "operator <= not implemented in Quarl! stop ..."},
    {Refusal::OperatorSup, "operator > not implemented in Quarl! stop ..."},
    {Refusal::OperatorSupEq, "operator >= not implemented in Quarl! stop ..."},
    {Refusal::OperatorNot, "operator not not implemented in Quarl! stop ..."},
    {Refusal::OperatorAnd, "operator and not implemented in Quarl! stop ..."},
    {Refusal::OperatorOr, "operator or not implemented in Quarl! stop ..."},
    {Refusal::FunctionCall, "function call not implemented in Quarl! stop ..."},
    {Refusal::SignalValue, "signal value ?S not implemented in Quarl! stop ..."},
    {Refusal::PreSignalValue, "pre(?S) not implemented in Quarl! stop ..."},
    {Refusal::Xcur, "XCUR not implemented in Quarl! stop ..."},
    {Refusal::Unknown, "construct without Quarl text not implemented in Quarl! stop ..."},
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
