#include "random_programs.h"

#include <cctype>
#include <map>

std::string RandomPrograms::module(const std::string& body) {
  return "module M: input I, J, K; output O, P, Q; " + body + " end module";
}

std::string RandomPrograms::emitted() {
  if (!locals_.empty() && below(2) == 0) return pick(locals_);
  return pick({"O", "P", "Q"});
}

std::string RandomPrograms::event(bool inner) {
  const auto compound = [&](const std::string& text) {
    return (inner ? "(" : "[") + text + (inner ? ")" : "]");
  };
  switch (below(8)) {
    case 0:
      return compound("not " + event(true));
    case 1:
      return compound(event(true) + " " + pick({"and", "or"}) + " " + event(true));
    case 2:
    case 3:
    case 4:
      if (cycles_) return emitted();
      [[fallthrough]];
    default:
      return pick({"I", "J", "K"});
  }
}

std::string RandomPrograms::delay() {
  switch (below(6)) {
    case 0:
      return "immediate " + event();
    case 1:
      return std::to_string(2 + below(2)) + " " + event();
    default:
      return event();
  }
}

std::string RandomPrograms::statement(int depth) {
  if (depth <= 0 || below(5) == 0) {
    switch (below(8)) {
      case 0:
        return "nothing";
      case 1:
      case 2:
        return "pause";
      case 3:
        if (!traps_.empty()) return "exit " + pick(traps_);
        [[fallthrough]];
      default:
        return "emit " + emitted();
    }
  }
  const auto sub = [&] { return "[" + statement(depth - 1) + "]"; };
  // "KEYWORD NAME in BODY end", with a fresh name known in the body only.
  const auto declaration = [&](const std::string& keyword, char letter,
                               std::vector<std::string>& scope) {
    const std::string name = letter + std::to_string(++names_);
    scope.push_back(name);
    const std::string body = sub();
    scope.pop_back();
    return keyword + " " + name + " in " + body + " end";
  };
  switch (below(22)) {
    case 0:
    case 1:
      return "[" + sub() + "; " + sub() + "; " + sub() + "]";
    case 2:
    case 3:
      return "[" + sub() + " || " + sub() + "]";
    case 4:
    case 5:
      return "present " + event() + " then " + sub() + " else " + sub() + " end";
    case 6:
      if (instantaneous_loops_ && below(3) == 0) return "loop " + sub() + " end";
      return "loop " + sub() + "; pause end";
    case 7:
    case 8:
      return declaration("trap", 't', traps_);
    case 9:
      return declaration("signal", 's', locals_);
    case 10:
      return "suspend " + sub() + " when " + event();
    case 11:
      return "await " + delay();
    case 12:
      return pick({"abort ", "weak abort "}) + sub() + " when " + delay();
    case 13:
      return pick({"abort ", "weak abort "}) + sub() + " when " + delay() + " do " + sub() + " end";
    case 14:
      return "every " + delay() + " do " + sub() + " end";
    case 15:
      return "loop " + sub() + " each " + pick({event(), "2 " + event()});
    case 16:
      return "sustain " + emitted();
    case 17:
      return "await case " + delay() + " do " + sub() + " case " + delay() + " end";
    case 18:
      return "abort " + sub() + " when case " + delay() + " do " + sub() + " case " + delay() +
             " end";
    case 19:
      return "suspend " + sub() + " when immediate " + event();
    case 20:
      return "repeat " + std::to_string(below(3)) + " times " + sub() + " end";
    default:
      return "present case " + event() + " do " + sub() + " case " + event() + " do " + sub() +
             " else " + sub() + " end";
  }
}

std::vector<std::vector<std::string>> RandomPrograms::trace(int instants) {
  std::vector<std::vector<std::string>> inputs(static_cast<std::size_t>(instants));
  for (auto& instant : inputs) {
    for (const char* name : {"I", "J", "K"}) {
      if (below(5) < 2) instant.emplace_back(name);
    }
  }
  return inputs;
}

std::string RandomPrograms::instantiate(const std::string& pattern, int depth) {
  std::map<std::string, std::string> chosen;
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '$') {
      out += pattern[i];
      continue;
    }
    std::size_t end = i + 1;
    while (end < pattern.size() && std::isalnum(static_cast<unsigned char>(pattern[end]))) ++end;
    const std::string name = pattern.substr(i + 1, end - i - 1);
    if (chosen.count(name) == 0) {
      const char kind = name[0];
      chosen[name] = kind == 'E' || kind == 'F' ? event(true)
                     : kind == 'D'              ? delay()
                     : kind == 'N'              ? std::to_string(2 + below(2))
                     : kind == 'X'              ? pick({"O", "P", "Q"})
                                                : "[" + statement(depth) + "]";
    }
    out += chosen[name];
    i = end - 1;
  }
  return out;
}
