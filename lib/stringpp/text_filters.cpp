// Text filters that prepare a text for LaTeX and for RTF documents.
#include "Stringpp.h"

namespace {

struct Rewrite {
  const char* from;
  const char* to;
};

// Applied one after the other, each to the result of the previous one. The apostrophe comes
// first so the apostrophes the later escapes write are never rewritten.
constexpr Rewrite kRtfRewrites[] = {
    {"'", "\\'91"},        {"\xE2\x80\x99", "\\'27"},  // right single quotation mark
    {"\xC2\xAB", "\\'ab"},                             // «
    {"\xC2\xBB", "\\'bb"},                             // »
    {"\xE2\x80\x93", "-"},                             // en dash
    {"\xC3\x89", "\\'c9"},                             // É
    {"\xC3\x88", "\\'c8"},                             // È
    {"\xC3\x8A", "\\'ca"},                             // Ê
    {"\xC3\x8B", "\\'cb"},                             // Ë
    {"\xC3\x87", "\\'c7"},                             // Ç
    {"\xC3\xA9", "\\'e9"},                             // é
    {"\xC3\xA8", "\\'e8"},                             // è
    {"\xC3\xAA", "\\'ea"},                             // ê
    {"\xC3\xAB", "\\'eb"},                             // ë
    {"\xC3\xA7", "\\'e7"},                             // ç
    {"\xC3\xA0", "\\'e0"},                             // à
    {"\xC3\xB6", "\\'f6"},                             // ö
    {"\xC3\xB4", "\\'f4"},                             // ô
    {"\xC3\xAE", "\\'ee"},                             // î
    {"\xC3\xAF", "\\'ef"},                             // ï
    {"\xC3\x97", "x"},                                 // ×
    {"#", "\\'23"},        {"$", "\\'24"},
};

}  // namespace

std::string latex_String_filter(const std::string& s) {
  return substitute_string(s, "_", "\\_");
}

std::string rtf_String_filter(const std::string& s) {
  std::string text = s;
  for (const Rewrite& rewrite : kRtfRewrites)
    text = substitute_string(text, rewrite.from, rewrite.to);
  return text;
}
