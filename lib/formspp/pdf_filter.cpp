// The pager's PDF export.
//
// A content stream's dictionary gives its length before the content, so each page's content is
// collected in memory and written when the page is closed. Every byte written is counted, which
// gives the objects' offsets for the cross-reference table.
#include <cstdio>

#include "formspp/pager.h"
#include "formspp/pager_markup.h"

namespace {

const char* const kPageObjectLines[] = {
    "  << /Type /Page",
    "     /Parent 3 0 R",
    "     /MediaBox [0 0 612 792]",
};
const char* const kPageResourceLines[] = {
    "     /Resources << /ProcSet 4 0 R",
    "                   /Font << /F1 5 0 R >>",
    "                >>",
    "  >>",
    "endobj",
    "",
};

std::string ten_digits(long value) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%010ld", value);
  return digits;
}

}  // namespace

void OFD_afficheur_filtre_impression::write_pdf_line(std::fstream& out, const std::string& line) {
  out << line << std::endl;
  pdf_bytes_ += static_cast<long>(line.size()) + 1;
}

void OFD_afficheur_filtre_impression::mark_pdf_object(int number) {
  if (pdf_offsets_.size() <= static_cast<size_t>(number)) pdf_offsets_.resize(number + 1, -1);
  pdf_offsets_[number] = pdf_bytes_;
}

void OFD_afficheur_filtre_impression::write_pdf_page_object(std::fstream& out, int page) {
  mark_pdf_object(10 + 2 * page);
  write_pdf_line(out, std::to_string(10 + 2 * page) + " 0 obj");
  for (const char* line : kPageObjectLines) write_pdf_line(out, line);
  write_pdf_line(out, "     /Contents " + std::to_string(11 + 2 * page) + " 0 R");
  for (const char* line : kPageResourceLines) write_pdf_line(out, line);
}

void OFD_afficheur_filtre_impression::write_pdf_content(std::fstream& out) {
  const int number = 11 + 2 * page_pdf;
  // The length stops before the newline that ends the last content line.
  const size_t length = pdf_content_.empty() ? 0 : pdf_content_.size() - 1;
  mark_pdf_object(number);
  write_pdf_line(out, std::to_string(number) + " 0 obj");
  write_pdf_line(out, "  << /Length " + std::to_string(length) + " >>");
  write_pdf_line(out, "stream");
  out << pdf_content_;
  out.flush();
  pdf_bytes_ += static_cast<long>(pdf_content_.size());
  pdf_content_.clear();
  for (const char* line : {"endstream", "endobj", ""}) write_pdf_line(out, line);
}

void OFD_afficheur_filtre_impression::rules_pdf(const char* indent) {
  const std::string from = std::to_string(y_pdf - 10 * (rang - 1));
  const std::string to = std::to_string(y_pdf - 10 * (rang_tableau - 1));
  for (const int x : formspp_pager::marked_column_edges(largeur, marque, marge)) {
    for (const std::string* y : {&from, &to}) {
      pdf_content_ += indent;
      pdf_content_ += std::to_string(x);
      pdf_content_ += ' ';
      pdf_content_ += *y;
      pdf_content_ += y == &from ? " m\n" : " l\n";
    }
    pdf_content_ += "       S\n";
  }
}

void OFD_afficheur_filtre_impression::begin_pdf(std::fstream& out) {
  const int pages = formspp_pager::page_breaks(lignes, nb_lignes) + 1;
  rang = 1;
  rang_tableau = 1;
  page_pdf = 0;
  pdf_content_.clear();
  pdf_offsets_.assign(6, -1);
  pdf_bytes_ = 0;
  write_pdf_line(out, "%PDF-1.4");
  mark_pdf_object(1);
  for (const char* line : {"1 0 obj", "  << /Type /Catalog", "     /Outlines 2 0 R",
                           "     /Pages 3 0 R", "  >>", "endobj", ""}) {
    write_pdf_line(out, line);
  }
  mark_pdf_object(2);
  for (const char* line :
       {"2 0 obj", "  << /Type /Outlines", "     /Count 0", "  >>", "endobj", ""}) {
    write_pdf_line(out, line);
  }
  mark_pdf_object(3);
  write_pdf_line(out, "3 0 obj");
  write_pdf_line(out, "  << /Type /Pages");
  write_pdf_line(out, "     /Kids [" + std::to_string(10) + " 0 R");
  for (int page = 1; page < pages; ++page) {
    write_pdf_line(out, "         " + std::to_string(10 + 2 * page) + " 0 R");
  }
  write_pdf_line(out, "         ]");
  write_pdf_line(out, "     /Count " + std::to_string(pages));
  for (const char* line : {"  >>", "endobj", ""}) write_pdf_line(out, line);
  mark_pdf_object(4);
  for (const char* line : {"4 0 obj", "   [/PDF /Text]", "endobj", ""}) write_pdf_line(out, line);
  mark_pdf_object(5);
  for (const char* line :
       {"5 0 obj", "  << /Type /Font", "     /Subtype /Type1", "     /Name /F1",
        "     /BaseFont /Times-Roman", "     /Encoding /WinAnsiEncoding", "  >>", "endobj", ""}) {
    write_pdf_line(out, line);
  }
  write_pdf_page_object(out, 0);
}

void OFD_afficheur_filtre_impression::next_page_pdf(std::fstream& out, int /*page*/) {
  rules_pdf("    ");
  write_pdf_content(out);
  ++page_pdf;
  write_pdf_page_object(out, page_pdf);
  rang = 1;
  rang_tableau = 1;
}

void OFD_afficheur_filtre_impression::end_pdf(std::fstream& out) {
  rules_pdf("      ");
  write_pdf_content(out);
  const long xref = pdf_bytes_;
  // Numbers 6 to 9 belong to no object: one subsection up to 5, one from 10.
  if (pdf_offsets_.size() < 11) pdf_offsets_.resize(11, -1);
  const int size = static_cast<int>(pdf_offsets_.size());
  write_pdf_line(out, "xref");
  write_pdf_line(out, "0 6");
  for (int number = 0; number < size; ++number) {
    if (number == 10) write_pdf_line(out, "10 " + std::to_string(size - 10));
    if (number > 5 && number < 10) continue;
    const long offset = pdf_offsets_[number];
    write_pdf_line(out, offset < 0 ? "0000000000 65535 f " : ten_digits(offset) + " 00000 n ");
  }
  write_pdf_line(out, "");
  write_pdf_line(out, "trailer");
  write_pdf_line(out, "  << /Size " + std::to_string(size));
  for (const char* line : {"     /Root 1 0 R", "  >>", "startxref"}) write_pdf_line(out, line);
  write_pdf_line(out, std::to_string(xref));
  write_pdf_line(out, "%%EOF");
}

void OFD_afficheur_filtre_impression::pdf(std::fstream& /*out*/, const std::string& ligne) {
  switch (typeligne(ligne)) {
    case formspp_pager::kColumnLine:
      rules_pdf("    ");
      rang_tableau = rang;
      formspp_pager::parse_column_line(ligne, largeur, marque);
      return;
    case formspp_pager::kLayoutColumnLine:
      rang = 0;
      formspp_pager::parse_column_line(ligne, largeur, marque);
      return;
    case formspp_pager::kRuleLine: {
      const std::string y = std::to_string(y_pdf - 10 * rang);
      const int end = marge + 5 * formspp_pager::total_width(largeur);
      pdf_content_ += "    " + std::to_string(marge) + " " + y + " m\n";
      pdf_content_ += "    " + std::to_string(end) + " " + y + " l\n";
      pdf_content_ += "       S\n";
      ++rang;
      return;
    }
    default:
      break;
  }
  const std::string y = std::to_string(y_pdf - 10 * rang);
  for (const auto& cell : formspp_pager::printed_cells(ligne, largeur, marge)) {
    pdf_content_ += "   BT\n     /F1 7 Tf\n     " + std::to_string(cell.x) + " " + y + " Td\n";
    pdf_content_ += "(" + cell.text + ") Tj\n   ET\n";
  }
  ++rang;
}

void OFD_afficheur_filtre_impression::imprime_pdf(std::fstream& out) {
  begin_pdf(out);
  formspp_pager::for_each_paged_line(
      lignes, nb_lignes, [&](int page) { next_page_pdf(out, page); },
      [&](const std::string& ligne) { pdf(out, ligne); });
  end_pdf(out);
}
