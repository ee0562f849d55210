// The pager's PostScript export; the construction and line walk shared with the PDF export.
#include <algorithm>

#include "formspp/pager.h"
#include "formspp/pager_markup.h"

namespace {

void write_line(std::fstream& out, const std::string& line) {
  out << line << std::endl;
}

// The cells are written in WinAnsi codes (see printed_cells). The standard encoding of the font
// agrees with them on ASCII only; a document that holds anything else gets, once in the prolog,
// a copy of the font re-encoded to WinAnsi: ISO Latin-1 with the apostrophe, hyphen and grave
// accent of ASCII, and the letters and signs of 0x80 to 0x9F.
const char* const kWinAnsiFontProlog[] = {
    "/WinAnsiEncoding ISOLatin1Encoding 256 array copy",
    "dup 39 /quotesingle put dup 45 /hyphen put dup 96 /grave put",
    "dup 128 [/Euro /.notdef /quotesinglbase /florin /quotedblbase /ellipsis /dagger /daggerdbl",
    "/circumflex /perthousand /Scaron /guilsinglleft /OE /.notdef /Zcaron /.notdef",
    "/.notdef /quoteleft /quoteright /quotedblleft /quotedblright /bullet /endash /emdash",
    "/tilde /trademark /scaron /guilsinglright /oe /.notdef /zcaron /Ydieresis] putinterval def",
    "/Times-Roman-WinAnsi /Times-Roman findfont dup length dict begin",
    "{ 1 index /FID ne { def } { pop pop } ifelse } forall",
    "/Encoding WinAnsiEncoding def currentdict end definefont pop",
};

bool ascii_only(const std::string* lines, int count) {
  for (int index = 0; index < count; ++index) {
    for (const char c : lines[index]) {
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
  }
  return true;
}

}  // namespace

OFD_afficheur_filtre_impression::OFD_afficheur_filtre_impression(std::string* lignes_, int nb)
    : lignes(lignes_),
      nb_lignes(lignes_ == nullptr ? 0 : std::max(nb, 0)),
      y_postscript(800),
      y_pdf(780),
      page_pdf(0),
      marge(40),
      rang(1),
      rang_tableau(1) {}

int OFD_afficheur_filtre_impression::typeligne(const std::string& ligne) {
  return formspp_pager::line_type(ligne);
}

void OFD_afficheur_filtre_impression::rules_postscript(std::fstream& out) {
  const std::string from = std::to_string(y_postscript - 10 * (rang - 1));
  const std::string to = std::to_string(y_postscript - 10 * (rang_tableau - 1));
  for (const int x : formspp_pager::marked_column_edges(largeur, marque, marge)) {
    const std::string at = std::to_string(x);
    std::string line;
    for (const std::string& part :
         {std::string("newpath "), at, std::string(" "), from, std::string(" moveto "), at,
          std::string(" "), to, std::string(" lineto stroke ")}) {
      line += part;
    }
    write_line(out, line);
  }
}

void OFD_afficheur_filtre_impression::begin_postscript(std::fstream& out) {
  rang = 1;
  rang_tableau = 1;
  const int pages = formspp_pager::page_breaks(lignes, nb_lignes) + 1;
  postscript_font_ = ascii_only(lignes, nb_lignes) ? "/Times-Roman" : "/Times-Roman-WinAnsi";
  for (const char* line : {"%!PS-Adobe-2.0", "%%Creator: mirandel", "%%Title: tmp.ps"}) {
    write_line(out, line);
  }
  write_line(out, "%%Pages: " + std::to_string(pages));
  for (const char* line : {"%%PageOrder: Ascend", "%%BoundingBox: 0 0 612 792",
                           "%%DocumentPaperSizes: a4", "%%EndComments"}) {
    write_line(out, line);
  }
  if (postscript_font_ != "/Times-Roman") {
    for (const char* line : kWinAnsiFontProlog) write_line(out, line);
  }
  set_postscript_font(out);
}

void OFD_afficheur_filtre_impression::set_postscript_font(std::fstream& out) {
  write_line(out, "a4");
  write_line(out, postscript_font_ + " findfont");
  write_line(out, "7 scalefont");
  write_line(out, "setfont");
}

void OFD_afficheur_filtre_impression::next_page_postscript(std::fstream& out, int page) {
  rules_postscript(out);
  write_line(out, "showpage");
  write_line(out, "%%page : " + std::to_string(page) + " " + std::to_string(page));
  set_postscript_font(out);
  rang = 1;
  rang_tableau = 1;
}

void OFD_afficheur_filtre_impression::end_postscript(std::fstream& out) {
  rules_postscript(out);
  write_line(out, "showpage");
}

void OFD_afficheur_filtre_impression::postscript(std::fstream& out, const std::string& ligne) {
  switch (typeligne(ligne)) {
    case formspp_pager::kColumnLine:
      rules_postscript(out);
      rang_tableau = rang;
      formspp_pager::parse_column_line(ligne, largeur, marque);
      return;
    case formspp_pager::kLayoutColumnLine:
      rang = 0;
      formspp_pager::parse_column_line(ligne, largeur, marque);
      return;
    case formspp_pager::kRuleLine: {
      const std::string y = std::to_string(y_postscript - 10 * rang);
      const int end = marge + 5 * formspp_pager::total_width(largeur);
      write_line(out, "newpath " + std::to_string(marge) + " " + y + " moveto " +
                          std::to_string(end) + " " + y + " lineto stroke ");
      ++rang;
      return;
    }
    default:
      break;
  }
  const std::string y = std::to_string(y_postscript - 10 * rang);
  for (const auto& cell : formspp_pager::printed_cells(ligne, largeur, marge)) {
    write_line(out, std::to_string(cell.x) + " " + y + " moveto (" + cell.text + ") show");
  }
  ++rang;
}

void OFD_afficheur_filtre_impression::imprime_postscript(std::fstream& out) {
  begin_postscript(out);
  formspp_pager::for_each_paged_line(
      lignes, nb_lignes, [&](int page) { next_page_postscript(out, page); },
      [&](const std::string& ligne) { postscript(out, ligne); });
  end_postscript(out);
}
