// Labels that FLTK draws exactly as written.
//
// A normal FLTK label reads a leading or trailing "@word" as a symbol to draw, so a title such
// as "report@2024" would lose its end. The literal label type draws the same font, size and
// colour without that interpretation.
#ifndef MORVAC_FORMSPP_LITERAL_LABEL_H
#define MORVAC_FORMSPP_LITERAL_LABEL_H

class Fl_Widget;

// Gives widget the literal label type (registered with the toolkit on first use).
void formspp_use_literal_label(Fl_Widget* widget);

#endif  // MORVAC_FORMSPP_LITERAL_LABEL_H
