// sheet of formspp; included by formspp.h.
#ifndef MORVAC_FORMSPP_SHEET_H
#define MORVAC_FORMSPP_SHEET_H

#endif  // MORVAC_FORMSPP_SHEET_H
