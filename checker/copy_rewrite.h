// The morvac-readable copy of a program: comments blanked, `:=` written `assign`, every line in
// its place, everything else as it is; and the map from the copy's offsets back to the source's.
#ifndef MORVAC_CHECKER_COPY_REWRITE_H
#define MORVAC_CHECKER_COPY_REWRITE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "esterel_scanner.h"

using esterel::EsterelScan;
using esterel::Span;
using esterel::Token;

struct CopyEdit {  // a `:=` of the source and the text that replaces it in the copy
  std::uint32_t source_begin, source_end, copy_begin, copy_end;
};

struct Copy {
  std::string text;
  std::vector<CopyEdit> edits;
  bool rewritten = false;  // the copy differs from the source

  // Returns the source span of a span of the copy (a span inside a replacement maps to the
  // whole `:=`).
  [[nodiscard]] Span to_source(Span copy_span) const;
};

// Returns the copy of source, whose comments and tokens scan found.
[[nodiscard]] Copy make_copy(std::string_view source, const EsterelScan& scan);

#endif  // MORVAC_CHECKER_COPY_REWRITE_H
