// simulator of formspp; included by formspp.h.
#ifndef MORVAC_FORMSPP_SIMULATOR_H
#define MORVAC_FORMSPP_SIMULATOR_H

#endif  // MORVAC_FORMSPP_SIMULATOR_H
