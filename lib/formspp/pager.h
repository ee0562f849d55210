// Text pager of formspp and its PDF, PostScript and text export; included by formspp.h.
//
// OFD_afficheur shows a tabular document page by page in a modal window, in French (langue 0)
// or English, and exports it to tmp.pdf or tmp.txt in the current directory. A document is an
// array of lines in a small markup, told apart by their first two characters:
//   "#C..."  column line: each number followed by a blank gives the width, in characters, of the
//            next of at most 15 columns (a last number without a blank after it is lost); a T
//            marks the column whose number comes next for a vertical rule in print;
//   "#P..."  the same, and the print layout restarts at the top of the page;
//   "#T..."  rule line: a horizontal rule across the columns;
//   other    data line: cells separated by '#', the k-th cell in column k (cells past the 15th
//            are dropped).
// A page holds 77 data and rule lines; column lines take no room, and one that follows the 77th
// counted line opens the next page. Widths start at 0 (cells empty) until a column line comes;
// a width above 1000 characters is taken as 1000.
//
// Texts are UTF-8 (a byte that begins no UTF-8 sequence is taken as a Windows-1252 character,
// as the toolkit draws it). Widths, the title's 81 characters and the browser's lines count
// characters, and a cell or a line is never cut inside one.
//
// The print filter lays the same pages out on US-letter pages (612 x 792 points, Times-Roman
// 7 points, rows 10 points apart, 5 points per character, left margin 40). It writes the cells in
// the font's WinAnsi encoding (Windows-1252: the letters of ISO 8859-1, the euro sign, the
// typographic quotes, oe...); a character that the encoding has not is printed '?'. The
// PostScript of a document that is not all ASCII re-encodes the font to WinAnsi once, in its
// prolog; that of an ASCII document keeps the font's standard encoding.
#ifndef MORVAC_FORMSPP_PAGER_H
#define MORVAC_FORMSPP_PAGER_H

#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <vector>

class Fl_Browser;
class Fl_Button;
class Fl_FormsText;
class Fl_Input;
class Fl_Window;
class PagerTitle;

// The number of columns of the document markup.
inline constexpr int OFD_nb_colonnes = 15;

// ---------------------------------------------------------------------------------------------
// Screen rendering
// ---------------------------------------------------------------------------------------------

// Renders a document's pages as browser text. Lines are borrowed, not owned.
class OFD_afficheur_filtre_affichage {
 public:
  // Keeps lignes and nb (a null array or a negative count are an empty document).
  OFD_afficheur_filtre_affichage(std::string* lignes, int nb);

  // Returns the text of page `page` (from 0), one rendered line and a newline per document line;
  // the empty text for a page that does not exist.
  [[nodiscard]] std::string visu_page(int page);

  // Returns the type of a line: 3 rule line ("#T"), 1 column line ("#C"), 2 column line that
  // restarts the print layout ("#P"), 0 data line (anything else, lines under 2 characters too).
  [[nodiscard]] static int typeligne(const std::string& ligne);

  // Returns one line for the browser: a rule line as "@f@S14 " and one '-' per character of the
  // widths; a data line as "@f@S14 " and its cells, each cut to its column's width in characters
  // and padded with blanks to it, except the last, which is not padded; a column line sets the
  // widths and gives the empty text.
  [[nodiscard]] std::string visu_ligne(const std::string& ligne);

  // Returns the index of the last page (0 for a document of one page or none).
  [[nodiscard]] int nb_pages() const;

  std::string tampon;                 // the page text under construction
  int largeur[OFD_nb_colonnes] = {};  // column widths in force
  bool marque[OFD_nb_colonnes] = {};  // column marks in force
  int nb_lignes;
  std::string* lignes;
};

// ---------------------------------------------------------------------------------------------
// PostScript and PDF export
// ---------------------------------------------------------------------------------------------

// Lays a document out as PostScript or PDF with the screen's pagination. Lines are borrowed.
// Widths and marks carry over from one export to the next; each begin_ resets the rows. Every
// line written ends with a newline and is flushed; the PDF functions expect a stream that holds
// nothing before begin_pdf (its offsets are counted from there).
class OFD_afficheur_filtre_impression {
 public:
  OFD_afficheur_filtre_impression(std::string* lignes, int nb);

  // Returns the line type, as OFD_afficheur_filtre_affichage::typeligne.
  [[nodiscard]] static int typeligne(const std::string& ligne);

  // PostScript: the header (page count included), a page break numbered `page` (1 for the
  // second page), the end, one line of the document, and the whole document.
  void begin_postscript(std::fstream& out);
  void next_page_postscript(std::fstream& out, int page);
  void end_postscript(std::fstream& out);
  void postscript(std::fstream& out, const std::string& ligne);
  void imprime_postscript(std::fstream& out);

  // PDF 1.4: catalog 1, outlines 2, page tree 3, procedure set 4, font 5, and for page k (from 0)
  // the page object 10 + 2k with its content stream 11 + 2k. A page's content is written when
  // the page is closed (by next_page_pdf or end_pdf), once its length is known; pdf() collects
  // it and does not write to `out`. end_pdf writes the cross-reference table and the trailer.
  void begin_pdf(std::fstream& out);
  void next_page_pdf(std::fstream& out, int page);
  void end_pdf(std::fstream& out);
  void pdf(std::fstream& out, const std::string& ligne);
  void imprime_pdf(std::fstream& out);

  std::string* lignes;
  int nb_lignes;
  int y_postscript;  // 800, height of row 0 in PostScript
  int y_pdf;         // 780, height of row 0 in PDF
  int page_pdf;      // page breaks written so far in the PDF being written
  int marge;         // 40, the left margin
  int largeur[OFD_nb_colonnes] = {};
  bool marque[OFD_nb_colonnes] = {};
  int rang;          // row of the next line on the page
  int rang_tableau;  // row of the column line that began the current table

 private:
  void rules_postscript(std::fstream& out);
  void set_postscript_font(std::fstream& out);
  void rules_pdf(const char* indent);
  void write_pdf_line(std::fstream& out, const std::string& line);
  void write_pdf_page_object(std::fstream& out, int page);
  void write_pdf_content(std::fstream& out);
  void mark_pdf_object(int number);

  std::string postscript_font_ = "/Times-Roman";  // the font of the PostScript being written
  std::string pdf_content_;                       // content of the PDF page being written
  std::vector<long> pdf_offsets_;                 // byte offset of each object, -1 for none
  long pdf_bytes_ = 0;                            // bytes of the PDF written so far
};

// Writes a document as plain text. Lines are borrowed.
class OFD_afficheur_filtre_texte {
 public:
  OFD_afficheur_filtre_texte(std::string* lignes, int nb);

  // Returns the line type, as OFD_afficheur_filtre_affichage::typeligne.
  [[nodiscard]] static int typeligne(const std::string& ligne);

  // Writes every line: data lines unchanged, column and rule lines as 55 dashes.
  void imprime(std::fstream& out);
  void imprime_ligne(std::fstream& out, const std::string& ligne);

  std::string* lignes;
  int nb_lignes;
};

// ---------------------------------------------------------------------------------------------
// The pager window
// ---------------------------------------------------------------------------------------------

// Returns a new array holding copies of the list's lines, or null for an empty list.
[[nodiscard]] std::unique_ptr<std::string[]> array_convert(const std::list<std::string>& lignes);

// The modal pager: previous and next page, a page number field with its "go" button, cancel,
// and the PDF and text export buttons.
//
// "fichier pdf" writes tmp.pdf; with a viewer given to activation it runs that program (found
// on PATH unless the name holds a '/', started without a shell: the name is one program name
// and nothing in it can run another command) on tmp.pdf, waits for it to end and removes
// tmp.pdf; without a viewer it says "generation du fichier tmp.pdf" / "generation of tmp.pdf
// file". "fichier texte" writes tmp.txt and says so. A file that cannot be opened is not
// written, and the message is shown all the same.
//
// Without a display, activation writes the title and the document as plain text (the text
// export) to standard output and returns as if cancelled.
class OFD_afficheur {
 public:
  // Builds the window (not shown); parent, if not null, is deactivated while the pager runs.
  OFD_afficheur(Fl_Window* parent, int langue);
  ~OFD_afficheur();
  OFD_afficheur(const OFD_afficheur&) = delete;
  OFD_afficheur& operator=(const OFD_afficheur&) = delete;

  // Shows nb lines (borrowed for the call) under titre (cut to 81 characters) and runs the pager
  // until it is cancelled or closed; lecteur names the PDF viewer, "" for none. A null array
  // returns at once. A title wider than its box is laid out beside the page number, on several
  // lines if need be, never over it. A typed page number outside the document is refused and
  // the field shows the current page again.
  void activation(std::string* lignes, int nb, const std::string& titre,
                  const std::string& lecteur);
  // The same on a copy of a list; an empty list returns at once.
  void activation(std::list<std::string>& lignes, const std::string& titre,
                  const std::string& lecteur);

  // Renders the current page into the browser and updates the page label and field.
  void visu_page();
  // Move one page back or on, or to page n (from 0); a move outside the document does nothing.
  void page_precedente();
  void page_suivante();
  void page_numero(int n);

  // The export buttons (see above); they do nothing outside an activation.
  void fichier_pdf();
  void fichier_texte();
  // Opens tmp.pdf with the viewer lecteur_pdf, waits for it, then removes tmp.pdf.
  void imprime_tmp_pdf();
  // Runs "ps2pdf tmp.ps", "acroread tmp.pdf", "rm tmp.pdf" and "rm tmp.ps" through the shell;
  // returns the status of the last one, as system() gives it.
  int imprime_tmp_ps();

  int langue;                                                        // 0 French, else English
  int page_courante;                                                 // the page shown, from 0
  std::unique_ptr<OFD_afficheur_filtre_affichage> filtre_affichage;  // set during an activation
  std::unique_ptr<OFD_afficheur_filtre_impression> filtre_impression;
  std::unique_ptr<OFD_afficheur_filtre_texte> filtre_texte;
  std::string lecteur_pdf;  // the PDF viewer, "" for none
  Fl_Window* form;
  Fl_Window* form_parent;
  Fl_FormsText* titre;
  Fl_FormsText* numero;
  Fl_Browser* navigateur;
  Fl_Button* bouton_precedent;
  Fl_Button* bouton_suivant;
  Fl_Button* bouton_annuler;
  Fl_Button* bouton_pdf;
  Fl_Button* bouton_texte;
  Fl_Input* saisie_page;
  Fl_Button* bouton_aller;

 private:
  void run();
  void set_title_room(PagerTitle* title) const;
  [[nodiscard]] int last_page() const;
};

#endif  // MORVAC_FORMSPP_PAGER_H
