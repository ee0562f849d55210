// pager of formspp; included by formspp.h.
#ifndef MORVAC_FORMSPP_PAGER_H
#define MORVAC_FORMSPP_PAGER_H

#endif  // MORVAC_FORMSPP_PAGER_H
