// dialogs of formspp; included by formspp.h.
#ifndef MORVAC_FORMSPP_DIALOGS_H
#define MORVAC_FORMSPP_DIALOGS_H

#endif  // MORVAC_FORMSPP_DIALOGS_H
