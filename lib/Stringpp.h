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
// or return one say what they do with longer texts. Examples are written as calls:
// hex2toS(-1) is "ff".
#ifndef MORVAC_STRINGPP_H
#define MORVAC_STRINGPP_H

#include <string>

// ---------------------------------------------------------------------------------------------
// Text to number. Integer parsers wrap around in the width of their result and never report
// overflow; characters are not tested, so invalid texts give meaningless values.
// ---------------------------------------------------------------------------------------------

// Returns the decimal value of s ("-" first for negative): Stoi("-12") is -12, Stoi("") is 0,
// Stoi("-") is 0.
[[nodiscard]] int Stoi(std::string s);
// Returns the decimal value of s, as Stoi in 64 bits.
[[nodiscard]] long Stol(std::string s);
// Returns the decimal value of s, as Stoi in 64 bits.
[[nodiscard]] long long Stoll(std::string s);
// Returns the value of the hexadecimal digits of s; any other character counts as digit 0:
// Stouhex("1f") is 31, Stouhex("1x") is 16.
[[nodiscard]] unsigned long long Stouhex(const std::string& s);
// Returns s read as a two's complement number of 4 bits per digit, negative when its first
// character comes after "7": Stoshex("FF") is -1, Stoshex("7F") is 127, Stoshex("800") is -2048.
[[nodiscard]] long long Stoshex(const std::string& s);
// Returns the value of the base-2 digits of s: Stoubin("101") is 5.
[[nodiscard]] unsigned long long Stoubin(const std::string& s);
// Returns s read as a two's complement number of its own length: Stosbin("10") is -2,
// Stosbin("01") is 1, Stosbin("1") is -1.
[[nodiscard]] long long Stosbin(const std::string& s);
// Returns the hexadecimal value of text from the first occurrence of prefix on (the prefix's own
// characters are read too, so "0x" adds nothing), or its decimal value when prefix is absent:
// Stoloruhex("0x", "0x1F") is 31, Stoloruhex("0x", "31") is 31. Hexadecimal values of 2^63 and
// more come back negative (two's complement), as in Stohex.
[[nodiscard]] long Stoloruhex(const std::string& prefix, const std::string& text);
// Returns the hexadecimal value of text before the first occurrence of suffix, Stohex("1Fh", "h")
// is 31; without suffix, the decimal value, also traced as "Decimal Conversion <value>" on
// stderr: Stohex("31", "h") is 31.
[[nodiscard]] long Stohex(const std::string& text, const std::string& suffix);
// Returns the number in s (syntax of checkdouble with the given separator), or 0.0 when s is
// not one: Stod("12.5e3", '.') is 12500, Stod("3,25", ',') is 3.25, Stod("5.", '.') is 0. The
// exponent is applied one multiplication by 10 at a time, or one division for a negative
// exponent: Stod("3e-1", '.') is 0.3. Texts whose integer part exceeds 2147483647, with more than
// nine fraction digits or an exponent above 2147483647 are read with correct rounding instead.
// Values beyond the double range give +-inf or 0; never NaN.
[[nodiscard]] double Stod(std::string s, char separator);

// ---------------------------------------------------------------------------------------------
// Syntax checks: 1 when the text has the form, else 0.
// ---------------------------------------------------------------------------------------------

// Returns 1 for a non-empty text of decimal digits: checkuint("") is 0.
[[nodiscard]] int checkuint(const std::string& s);
// Returns 1 for a non-empty text of decimal digits, optionally preceded by "-":
// checkint("-12") is 1, checkint("-") is 0, checkint("+1") is 0.
[[nodiscard]] int checkint(const std::string& s);
// Returns 1 when every character is a hexadecimal digit: checkhex("") is 1, checkhex("aF") is 1.
[[nodiscard]] int checkhex(const std::string& s);
// Returns 1 for hexadecimal digits followed by a final small "h": checkhexintel("1Fh") is 1,
// checkhexintel("h") is 1, checkhexintel("") is 0, checkhexintel("1FH") is 0.
[[nodiscard]] int checkhexintel(const std::string& s);
// Returns 1 when every character is 0 or 1: checkbin("") is 1.
[[nodiscard]] int checkbin(const std::string& s);
// Returns 1 for a non-empty text whose first character is a decimal digit.
[[nodiscard]] int beginbynumber(const std::string& s);
// Returns 1 for leading blanks, an optional "-", then "0" + separator + digits, or a digit 1-9,
// digits and an optional separator + digits, then an optional exponent (e or E, optional sign,
// no leading zero); "0" alone passes, with nothing before it: checkdouble("0", '.') is 1,
// checkdouble("  -0.5", '.') is 1, checkdouble("1E-2", '.') is 1, checkdouble("3,14", ',') is 1;
// checkdouble(" 0", '.') is 0, checkdouble("-0", '.') is 0, checkdouble(".5", '.') is 0,
// checkdouble("5.", '.') is 0, checkdouble("05", '.') is 0, checkdouble("1e0", '.') is 0,
// checkdouble("1e05", '.') is 0, checkdouble("+1", '.') is 0, checkdouble("12 ", '.') is 0.
[[nodiscard]] int checkdouble(const std::string& s, char separator);

// ---------------------------------------------------------------------------------------------
// Number to text
// ---------------------------------------------------------------------------------------------

// Returns the one-character text c.
[[nodiscard]] std::string ctoS(char c);
// Returns the low 4 bits of v as one small hexadecimal digit: hex1toS(26) is "a".
[[nodiscard]] std::string hex1toS(int v);
// Returns the low 8 bits of v as 2 hexadecimal digits: hex2toS(-1) is "ff".
[[nodiscard]] std::string hex2toS(int v);
// Returns the low 16 bits of v as 4 hexadecimal digits: hex4toS(255) is "00ff".
[[nodiscard]] std::string hex4toS(int v);
// Returns the low 32 bits of v as 8 hexadecimal digits: hex8toS(-2) is "fffffffe".
[[nodiscard]] std::string hex8toS(long v);
// Returns bits 7 down to 0 of v as 8 characters 0 or 1: bin8toS(261) is "00000101".
[[nodiscard]] std::string bin8toS(int v);
// Returns the decimal digits of v ("0" for 0).
[[nodiscard]] std::string unslong2S(unsigned long v);
// Returns the decimal digits of v ("0" for 0).
[[nodiscard]] std::string unslonglong2S(unsigned long long v);
// Returns the decimal text of v, with "-" when negative (the most negative value included):
// long2S(-45) is "-45".
[[nodiscard]] std::string long2S(long v);
// Returns the decimal text of v, with "-" when negative (the most negative value included).
[[nodiscard]] std::string longlong2S(long long v);
// Returns the base-8 digits of v as letters A (0) to H (7): unslongbyS(0) is "A",
// unslongbyS(8) is "BA".
[[nodiscard]] std::string unslongbyS(unsigned long v);
// Returns d in fixed point with n fraction digits: dtoS(3.05, 2) is "3.05", dtoS(0.999, 2) is
// "1.00", dtoS(-0.001, 2) is "-0.00". The last digit goes up when what is left of the fraction
// is above one half, as computed in double precision from 1 + the fraction scaled by 10^n:
// dtoS(2.5, 0) is "2.", dtoS(2.7, 0) is "3.", but 1.45 has no exact double, so dtoS(0.45, 1)
// is "0.4", and dtoS(0.0075, 3) is "0.008" although 0.0075 is held as a little less. n <= 0
// ends the text with the full stop; digits past the eighteenth are zeros; magnitudes of 2^63 or
// more give their exact integer digits; NaN gives "nan" and infinities "inf" and "-inf".
[[nodiscard]] std::string dtoS(double d, int n);

// ---------------------------------------------------------------------------------------------
// File names and paths (slash-separated; only my_current_directory asks the system)
// ---------------------------------------------------------------------------------------------

// Returns the text after the last slash, or path itself without slash:
// extract_filename_name("a/b/c") is "c", extract_filename_name("a/b/") is "".
[[nodiscard]] std::string extract_filename_name(const std::string& path);
// Returns the text before the last slash, "." without slash, "/" when the only slash is the
// first character: extract_filename_path("a/b/c") is "a/b", extract_filename_path("name") is
// ".", extract_filename_path("/name") is "/".
[[nodiscard]] std::string extract_filename_path(const std::string& path);
// Returns path without the extension of its last name, from its last full stop on:
// supress_filename_extension("a/b.c.d") is "a/b.c", supress_filename_extension("name.") is
// "name", supress_filename_extension("..") is ".", supress_filename_extension(".profile") is "",
// supress_filename_extension("dir/.profile") is "dir/". The path stays unchanged when its last
// name has no full stop, when that full stop follows another or is followed by a backslash:
// supress_filename_extension("dir.x/file") is "dir.x/file", supress_filename_extension("a..b")
// is "a..b", supress_filename_extension("a.\\x") is "a.\\x", but
// supress_filename_extension("a.x\\") is "a".
[[nodiscard]] std::string supress_filename_extension(const std::string& path);
// Returns the current working directory, or "" when the system cannot tell it.
[[nodiscard]] std::string my_current_directory();
// Returns target relative to base (empty base: the working directory), one "../" for each
// component of base from the first that differs:
// relative_directory_path("/home/u/p/src", "/home/u/q") is "../p/src",
// relative_directory_path("/x/y", "/a/b") is "../../x/y". It is "." when they are equal or
// differ only by slashes at their ends: relative_directory_path("/a/b/", "/a/b") is ".". Else a
// final slash of base counts as one more component: relative_directory_path("/a/c", "/a/b/") is
// "../../c". A relative target that shares nothing with base comes back unchanged:
// relative_directory_path("x/y", "a/b") is "x/y". Traces on stderr a "demarrage " line, an
// "intermediaire: " line with what is left of both after their common start (none when they are
// equal) and a "--> " line with the result.
[[nodiscard]] std::string relative_directory_path(const std::string& target,
                                                  const std::string& base);

// ---------------------------------------------------------------------------------------------
// Substrings and searches (positions count from 0)
// ---------------------------------------------------------------------------------------------

// Returns the characters from position i to the end; "" when i is past the end, s when i < 0:
// my_after("abc", 1) is "bc", my_after("abc", 5) is "". Of a text longer than 2^31, the tail
// from i (at most 2147483647) on.
[[nodiscard]] std::string my_after(const std::string& s, int i);
// Returns the first n characters (all when n exceeds the length, "" when n < 1):
// my_before("abc", 2) is "ab"; of a text longer than 2^31, at most its first 2147483647
// characters.
[[nodiscard]] std::string my_before(std::string s, int n);
// Returns the characters from start up to end excluded, both clipped to s (a negative one counts
// as 0); "" when start is at or past end: my_at("abcdef", 2, 4) is "cd", my_at("abc", -1, 9) is
// "abc", my_at("abc", 2, 1) is "". Of a text longer than 2^31, characters before position
// 2147483647 only.
[[nodiscard]] std::string my_at(const std::string& s, int start, int end);
// Returns 1 when pattern occurs in s ("" occurs everywhere), else 0: contains("abc", "") is 1.
[[nodiscard]] int contains(std::string s, std::string pattern);
// Returns the position of the first occurrence of pattern, or std::string::npos:
// find("abcabc", "ca") is 2.
[[nodiscard]] std::string::size_type find(std::string s, std::string pattern);
// Returns how many characters of s equal c; more than 2147483647 give 2147483647:
// char_occurences("banana", 'a') is 3.
[[nodiscard]] int char_occurences(const std::string& s, char c);
// Returns 1 when the first occurrence of token is not followed by an ASCII letter or digit,
// one of the ISO 8859-1 letters à â ç è é ê ô, or the code 140; 0 when it is, or is absent:
// contains_token("x+1", "x") is 1, contains_token("x1 x", "x") is 0.
[[nodiscard]] int contains_token(std::string s, std::string token);
// Returns 1 for a word character: ASCII letter, digit, ".", "_", "," or "@"; else 0:
// est_lc('@') is 1, est_lc('-') is 0.
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
// Returns the first token after leading seps: "-" with the digits and full stops that follow, a
// run of word characters (est_lc), or one other character, a run ending at the next sep; sets
// *rest (when not null) to the text after the token: next_Stringtoken("  -12.5x", ' ', &rest) is
// "-12.5", next_Stringtoken("-x", ' ', &rest) is "-", next_Stringtoken("a.b", '.', &rest) is "a".
// A text of separators only (or "") gives "" and rest "".
std::string next_Stringtoken(std::string s, char sep, std::string* rest);

// ---------------------------------------------------------------------------------------------
// Letter case, accents and identifier checks
// ---------------------------------------------------------------------------------------------

// Returns s with A to Z lowered; other bytes unchanged.
[[nodiscard]] std::string downcase(std::string s);
// Returns s with a to z raised and every byte of 128 or more removed: upcase("été") is "T".
[[nodiscard]] std::string upcase(std::string s);
// Returns ISO 8859-1 s upper-cased without accents (é è ê to E, à â to A, ô to O, ç to C,
// code 140 to I); other bytes of 128 or more are removed.
[[nodiscard]] std::string upcase_accent(std::string s);
// Returns UTF-8 s upper-cased without accents (ö ô to O, î í ı to I, ë é è to E, ç to C, ä á
// to A): upcase_accent2("çé") is "CE". Any other byte of 128 or more is removed with the byte
// after it, so other letters of two bytes go, and a character of three bytes takes the next
// byte with it: upcase_accent2("für") is "FR", upcase_accent2("€a") is "".
[[nodiscard]] std::string upcase_accent2(std::string s);
// Returns 1 for an ASCII letter, µ, or an ISO 8859-1 code 192 to 255 except × Ø ÷ ø; else 0.
[[nodiscard]] int check_ISO_8859_1_alphabetical_letter(char c);
// Returns 1 for an ASCII letter, then letters, digits or "_", ending with a letter or digit;
// else 0: checkvarname("a") is 1, checkvarname("A_1") is 1, checkvarname("a_") is 0,
// checkvarname("_a") is 0.
[[nodiscard]] int checkvarname(const std::string& s);
// Returns 1 as checkvarname but the first character may also be "_":
// checkvarname_with_pre_underscore("_1") is 1, checkvarname_with_pre_underscore("_") is 0.
[[nodiscard]] int checkvarname_with_pre_underscore(const std::string& s);

// ---------------------------------------------------------------------------------------------
// Substitution, text filters and edit distance
// ---------------------------------------------------------------------------------------------

// Returns s with every occurrence of pattern, left to right and without overlap, replaced;
// replacements are never scanned again: substitute_string("aaa", "aa", "b") is "ba". An empty
// pattern changes nothing.
[[nodiscard]] std::string substitute_string(const std::string& s, const std::string& pattern,
                                            const std::string& replacement);
// Returns s with every character c replaced by the text replacement.
[[nodiscard]] std::string substitute_char(const std::string& s, char c,
                                          const std::string& replacement);
// Returns s with every character c replaced by the character replacement.
[[nodiscard]] std::string substitute_char(const std::string& s, char c, char replacement);
// Returns s with every whole-word occurrence of token replaced: one neither preceded (within
// the text after the previous occurrence) nor followed by a word character (est_lc):
// substitute_token("x=x1+x", "x", "y") is "y=x1+y", substitute_token("xx x", "x", "y") is
// "xy y". An empty token changes nothing.
[[nodiscard]] std::string substitute_token(const std::string& s, const std::string& token,
                                           const std::string& replacement);
// Returns s without blanks (spaces) at both ends: cancel_begin_end_spaces("  a b ") is "a b".
[[nodiscard]] std::string cancel_begin_end_spaces(const std::string& s);
// Returns s without blanks at both ends and every other blank replaced by c, one for one:
// clever_substitute_space(" a b  c ", '_') is "a_b__c".
[[nodiscard]] std::string clever_substitute_space(const std::string& s, char c);
// Returns s without its first and last character; "" for fewer than three characters:
// bdelete("(a)") is "a", bdelete("ab") is "".
[[nodiscard]] std::string bdelete(const std::string& s);
// Returns s with every "_" written "\_": latex_String_filter("a_b") is "a\\_b".
[[nodiscard]] std::string latex_String_filter(const std::string& s);
// Returns UTF-8 s ready for RTF, by rewrites in a fixed order: the apostrophe becomes \'91 and
// the right single quote \'27; « », É È Ê Ë Ç é è ê ë ç à ö ô î ï, "#" and "$" become the \'hh
// escapes of their Windows-1252 codes; the en dash becomes "-" and "×" "x":
// rtf_String_filter("l'été") is "l\\'91\\'e9t\\'e9", rtf_String_filter("2×3 – 4") is "2x3 - 4".
[[nodiscard]] std::string rtf_String_filter(const std::string& s);
// Returns the edit distance between a and b (byte insertions, deletions and substitutions of
// cost 1), or -1 with "chaines trop grandes!" on stderr when one is longer than 998 bytes:
// levenshtein("kitten", "sitting") is 3.
[[nodiscard]] int levenshtein(const std::string& a, const std::string& b);

// ---------------------------------------------------------------------------------------------
// Character-array copy
// ---------------------------------------------------------------------------------------------

// Returns a new NUL-terminated array (new[]) of s.size() + 1 characters holding every
// character of s, embedded NULs included, whatever its length; the caller releases it with
// delete[].
[[nodiscard]] char* Stoa(const std::string& s);

#endif  // MORVAC_STRINGPP_H
