// Stringpp: string utilities of the morvac project.
//
// Free functions on std::string that return their results by value: conversions between texts
// and numbers, file names and paths, records and tokens, letter case and accents, substitutions,
// the LaTeX and RTF filters, the edit distance, and the copy into a NUL-terminated array.
// Conversions from text are named Sto<target>, conversions to text end in toS or 2S, syntax
// checks begin with "check" and return 1 or 0. The parsers never validate: run the matching
// check first. Every function terminates and stays inside its texts whatever its input.
// Texts are bytes, of any length: lengths and positions are std::size_t inside, and the time
// of every function grows linearly with its texts and its result (levenshtein refuses long
// texts). An int can name positions and counts up to 2147483647 only; the functions that take
// or return one say what they do with longer texts.
#ifndef MORVAC_STRINGPP_H
#define MORVAC_STRINGPP_H

#include <string>

// ---------------------------------------------------------------------------------------------
// Text to number. Integer parsers wrap around in the width of their result and never report
// overflow; characters are not tested, so invalid texts give meaningless values.
// ---------------------------------------------------------------------------------------------

// Returns the decimal value of s ("-" first for negative); "" and "-" give 0.
[[nodiscard]] int Stoi(std::string s);
// Returns the decimal value of s, as Stoi in 64 bits.
[[nodiscard]] long Stol(std::string s);
// Returns the decimal value of s, as Stoi in 64 bits.
[[nodiscard]] long long Stoll(std::string s);
// Returns the value of the hexadecimal digits of s; any other character counts as digit 0.
[[nodiscard]] unsigned long long Stouhex(const std::string& s);
// Returns s read as a two's complement number of 4 bits per digit: "FF" is -1, "7F" is 127.
[[nodiscard]] long long Stoshex(const std::string& s);
// Returns the value of the base-2 digits of s.
[[nodiscard]] unsigned long long Stoubin(const std::string& s);
// Returns s read as a two's complement number of its own length: "10" is -2, "01" is 1.
[[nodiscard]] long long Stosbin(const std::string& s);
// Returns the hexadecimal value of text from the first occurrence of prefix on (the prefix's own
// characters are read too, so "0x" adds nothing), or its decimal value when prefix is absent.
// Hexadecimal values of 2^63 and more come back negative (two's complement), as in Stohex.
[[nodiscard]] long Stoloruhex(const std::string& prefix, const std::string& text);
// Returns the hexadecimal value of text before the first occurrence of suffix ("1Fh", "h" is
// 31); without suffix, the decimal value, also traced as "Decimal Conversion <value>" on stderr.
[[nodiscard]] long Stohex(const std::string& text, const std::string& suffix);
// Returns the number in s (syntax of checkdouble with the given separator), or 0.0 when s is
// not one. The exponent is applied one multiplication by 10 at a time. Texts whose integer part
// exceeds 2147483647, with more than nine fraction digits or an exponent above 2147483647 are
// read with correct rounding instead. Values beyond the double range give +-inf or 0; never NaN.
[[nodiscard]] double Stod(std::string s, char separator);

// ---------------------------------------------------------------------------------------------
// Syntax checks: 1 when the text has the form, else 0.
// ---------------------------------------------------------------------------------------------

// Returns 1 for a non-empty text of decimal digits.
[[nodiscard]] int checkuint(const std::string& s);
// Returns 1 for a non-empty text of decimal digits, optionally preceded by "-".
[[nodiscard]] int checkint(const std::string& s);
// Returns 1 when every character is a hexadecimal digit; "" passes.
[[nodiscard]] int checkhex(const std::string& s);
// Returns 1 for hexadecimal digits followed by a final "h"; "h" passes, "" does not.
[[nodiscard]] int checkhexintel(const std::string& s);
// Returns 1 when every character is 0 or 1; "" passes.
[[nodiscard]] int checkbin(const std::string& s);
// Returns 1 for a non-empty text whose first character is a decimal digit.
[[nodiscard]] int beginbynumber(const std::string& s);
// Returns 1 for leading blanks, an optional "-", then "0" + separator + digits, or a digit 1-9,
// digits and an optional separator + digits, then an optional exponent (e or E, optional sign,
// no leading zero); "0" alone passes. "-0", ".5", "5.", "05", "1e0" and "+1" do not.
[[nodiscard]] int checkdouble(const std::string& s, char separator);

// ---------------------------------------------------------------------------------------------
// Number to text
// ---------------------------------------------------------------------------------------------

// Returns the one-character text c.
[[nodiscard]] std::string ctoS(char c);
// Returns the low 4 bits of v as one small hexadecimal digit.
[[nodiscard]] std::string hex1toS(int v);
// Returns the low 8 bits of v as 2 hexadecimal digits: hex2toS(-1) is "ff".
[[nodiscard]] std::string hex2toS(int v);
// Returns the low 16 bits of v as 4 hexadecimal digits: hex4toS(255) is "00ff".
[[nodiscard]] std::string hex4toS(int v);
// Returns the low 32 bits of v as 8 hexadecimal digits.
[[nodiscard]] std::string hex8toS(long v);
// Returns bits 7 down to 0 of v as 8 characters 0 or 1.
[[nodiscard]] std::string bin8toS(int v);
// Returns the decimal digits of v ("0" for 0).
[[nodiscard]] std::string unslong2S(unsigned long v);
// Returns the decimal digits of v ("0" for 0).
[[nodiscard]] std::string unslonglong2S(unsigned long long v);
// Returns the decimal text of v, with "-" when negative (the most negative value included).
[[nodiscard]] std::string long2S(long v);
// Returns the decimal text of v, with "-" when negative (the most negative value included).
[[nodiscard]] std::string longlong2S(long long v);
// Returns the base-8 digits of v as letters A (0) to H (7): 0 is "A", 8 is "BA".
[[nodiscard]] std::string unslongbyS(unsigned long v);
// Returns d in fixed point with n fraction digits, rounding up only above one half:
// dtoS(2.5, 0) is "2.", dtoS(2.7, 0) is "3.", dtoS(-0.001, 2) is "-0.00". n <= 0 ends the text
// with the full stop; digits past the eighteenth are zeros; magnitudes of 2^63 or more give
// their exact integer digits; NaN gives "nan" and infinities "inf" and "-inf".
[[nodiscard]] std::string dtoS(double d, int n);

// ---------------------------------------------------------------------------------------------
// File names and paths (slash-separated; only my_current_directory asks the system)
// ---------------------------------------------------------------------------------------------

// Returns the text after the last slash, or path itself without slash ("" for "a/b/").
[[nodiscard]] std::string extract_filename_name(const std::string& path);
// Returns the text before the last slash: "." without slash, "/" for "/name".
[[nodiscard]] std::string extract_filename_path(const std::string& path);
// Returns path without the extension of its last name: "a/b.c.d" is "a/b.c", "name." is
// "name", ".profile" is "", "dir/.profile" is "dir/"; "a..b" and names ending in "\" after
// their last full stop stay unchanged.
[[nodiscard]] std::string supress_filename_extension(const std::string& path);
// Returns the current working directory, or "" when the system cannot tell it.
[[nodiscard]] std::string my_current_directory();
// Returns target relative to base (empty base: the working directory), "." when they are equal
// or differ only by trailing or repeated final slashes: /home/u/p/src from /home/u/q is
// "../p/src". Traces "demarrage ", "intermediaire: " and "--> " lines on stderr.
[[nodiscard]] std::string relative_directory_path(const std::string& target,
                                                  const std::string& base);

// ---------------------------------------------------------------------------------------------
// Substrings and searches (positions count from 0)
// ---------------------------------------------------------------------------------------------

// Returns the characters from position i to the end; "" when i is past the end, s when i < 0.
// Of a text longer than 2^31, the tail from i (at most 2147483647) on.
[[nodiscard]] std::string my_after(const std::string& s, int i);
// Returns the first n characters (all when n exceeds the length, "" when n < 1); of a text
// longer than 2^31, at most its first 2147483647 characters.
[[nodiscard]] std::string my_before(std::string s, int n);
// Returns the characters from start up to end excluded, clipped to s (a negative start counts
// as 0); "" when start is at or past that bound. Of a text longer than 2^31, characters
// before position 2147483647 only.
[[nodiscard]] std::string my_at(const std::string& s, int start, int end);
// Returns 1 when pattern occurs in s ("" occurs everywhere), else 0.
[[nodiscard]] int contains(std::string s, std::string pattern);
// Returns the position of the first occurrence of pattern, or std::string::npos.
[[nodiscard]] std::string::size_type find(std::string s, std::string pattern);
// Returns how many characters of s equal c; more than 2147483647 give 2147483647.
[[nodiscard]] int char_occurences(const std::string& s, char c);
// Returns 1 when the first occurrence of token is not followed by an ASCII letter or digit,
// one of the ISO 8859-1 letters à â ç è é ê ô, or the code 140; 0 when it is, or is absent.
[[nodiscard]] int contains_token(std::string s, std::string token);
// Returns 1 for a word character: ASCII letter, digit, ".", "_", "," or "@"; else 0.
[[nodiscard]] int est_lc(char c);

// ---------------------------------------------------------------------------------------------
// Records and tokens. s is copied first, so the same string may be passed as s and as rest.
// ---------------------------------------------------------------------------------------------

// Returns the text before the first sep and sets rest to the text after it; without sep,
// returns s and sets rest to "".
std::string next_record(const std::string& s, char sep, std::string& rest);
// Returns the text before the first character of s found in the NUL-terminated set seps, sets
// rest to the text after it and found to it; when none occurs (or seps is empty or null),
// returns s, sets rest to "" and found to a blank.
std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found);
// Returns the text before the last sep and sets rest to the text after it; without sep,
// returns s and sets rest to "".
std::string last_record(const std::string& s, char sep, std::string& rest);
// Returns the first token after leading seps: "-" with the digits and full stops that follow,
// a run of word characters (est_lc), or one other character; sets *rest (when not null) to the
// text after the token. A text of separators only (or "") gives "" and rest "".
std::string next_Stringtoken(std::string s, char sep, std::string* rest);

// ---------------------------------------------------------------------------------------------
// Letter case, accents and identifier checks
// ---------------------------------------------------------------------------------------------

// Returns s with A to Z lowered; other bytes unchanged.
[[nodiscard]] std::string downcase(std::string s);
// Returns s with a to z raised and every byte of 128 or more removed.
[[nodiscard]] std::string upcase(std::string s);
// Returns ISO 8859-1 s upper-cased without accents (é è ê to E, à â to A, ô to O, ç to C,
// code 140 to I); other bytes of 128 or more are removed.
[[nodiscard]] std::string upcase_accent(std::string s);
// Returns UTF-8 s upper-cased without accents (ö ô to O, î í ı to I, ë é è to E, ç to C, ä á
// to A); other multi-byte characters are removed two bytes at a time.
[[nodiscard]] std::string upcase_accent2(std::string s);
// Returns 1 for an ASCII letter, µ, or an ISO 8859-1 code 192 to 255 except × Ø ÷ ø; else 0.
[[nodiscard]] int check_ISO_8859_1_alphabetical_letter(char c);
// Returns 1 for a letter, then letters, digits or "_", ending with a letter or digit; else 0.
[[nodiscard]] int checkvarname(const std::string& s);
// Returns 1 as checkvarname but the first character may also be "_" ("_" alone is invalid).
[[nodiscard]] int checkvarname_with_pre_underscore(const std::string& s);

// ---------------------------------------------------------------------------------------------
// Substitution, text filters and edit distance
// ---------------------------------------------------------------------------------------------

// Returns s with every occurrence of pattern, left to right and without overlap, replaced;
// replacements are never scanned again ("aaa", "aa", "b" gives "ba"). An empty pattern
// changes nothing.
[[nodiscard]] std::string substitute_string(const std::string& s, const std::string& pattern,
                                            const std::string& replacement);
// Returns s with every character c replaced by the text replacement.
[[nodiscard]] std::string substitute_char(const std::string& s, char c,
                                          const std::string& replacement);
// Returns s with every character c replaced by the character replacement.
[[nodiscard]] std::string substitute_char(const std::string& s, char c, char replacement);
// Returns s with every whole-word occurrence of token replaced: one neither preceded (within
// the text after the previous occurrence) nor followed by a word character (est_lc).
// "x=x1+x", "x", "y" gives "y=x1+y". An empty token changes nothing.
[[nodiscard]] std::string substitute_token(const std::string& s, const std::string& token,
                                           const std::string& replacement);
// Returns s without blanks (spaces) at both ends.
[[nodiscard]] std::string cancel_begin_end_spaces(const std::string& s);
// Returns s without blanks at both ends and every other blank replaced by c, one for one.
[[nodiscard]] std::string clever_substitute_space(const std::string& s, char c);
// Returns s without its first and last character; "" for fewer than three characters.
[[nodiscard]] std::string bdelete(const std::string& s);
// Returns s with every "_" written "\_".
[[nodiscard]] std::string latex_String_filter(const std::string& s);
// Returns UTF-8 s with quotes, guillemets, the en dash, French accented letters, "×", "#" and
// "$" turned into RTF text (\'hh escapes of Windows-1252 codes), in a fixed order.
[[nodiscard]] std::string rtf_String_filter(const std::string& s);
// Returns the edit distance between a and b (byte insertions, deletions and substitutions of
// cost 1), or -1 with "chaines trop grandes!" on stderr when one is longer than 998 bytes.
[[nodiscard]] int levenshtein(const std::string& a, const std::string& b);

// ---------------------------------------------------------------------------------------------
// Character-array copy
// ---------------------------------------------------------------------------------------------

// Returns a new NUL-terminated array (new[]) of s.size() + 1 characters holding every
// character of s, embedded NULs included, whatever its length; the caller releases it with
// delete[].
[[nodiscard]] char* Stoa(const std::string& s);

#endif  // MORVAC_STRINGPP_H
