// The pager's title, laid out where it can be read.
//
// The title's box is narrower than most titles: centred on it, a long title would run over the
// page number beside it and off the window. So the title is laid out in the free strip beside the
// page number, up to the window's edge: centred on its box as far as the strip allows, on as many
// lines as the strip's height holds (broken at blanks, or inside a word too long for a line), and
// smaller only when even that does not fit.
//
// The text reaches beyond the title's box, where the toolkit redraws the window without asking
// the title; so the window's background box paints it, wherever and whenever it is drawn.
#ifndef MORVAC_FORMSPP_PAGER_TITLE_H
#define MORVAC_FORMSPP_PAGER_TITLE_H

#include <FL/Fl_Box.H>
#include <FL/forms.H>

// The title text object: its label is the title; it draws nothing itself.
class PagerTitle : public Fl_FormsText {
 public:
  PagerTitle(int x, int y, int w, int h);
  // Sets the strip the title may be laid out in, in window coordinates.
  void room(int x, int y, int w, int h);
  // Draws the label in the strip (with the label's font, style and colour).
  void paint() const;

 protected:
  void draw() override {}

 private:
  int room_x_ = 0, room_y_ = 0, room_w_ = 0, room_h_ = 0;
};

// The window's background box, which paints the title over itself.
class PagerBackground : public Fl_Box {
 public:
  PagerBackground(Fl_Boxtype box, int x, int y, int w, int h) : Fl_Box(box, x, y, w, h, nullptr) {}
  void title(const PagerTitle* title) { title_ = title; }

 protected:
  void draw() override;

 private:
  const PagerTitle* title_ = nullptr;
};

#endif  // MORVAC_FORMSPP_PAGER_TITLE_H
