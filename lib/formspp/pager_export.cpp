// The pager's export buttons and the outside programs they run.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "formspp/message_box.h"
#include "formspp/pager.h"

namespace {

// Runs program (searched on PATH unless its name holds a '/') with one argument, without a
// shell, and waits for it; a program that cannot be started is reported on standard error.
void run_program(const std::string& program, const char* argument) {
  std::string name = program;
  std::string operand = argument;
  char* argv[] = {name.data(), operand.data(), nullptr};
  pid_t child = 0;
  const int error = posix_spawnp(&child, name.c_str(), nullptr, nullptr, argv, environ);
  if (error != 0) {
    std::cerr << "formspp: cannot run \"" << program << "\": " << std::strerror(error) << std::endl;
    return;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

void OFD_afficheur::fichier_pdf() {
  if (!filtre_impression) return;
  {
    std::fstream file("tmp.pdf", std::ios::out | std::ios::trunc | std::ios::binary);
    if (file.is_open()) filtre_impression->imprime_pdf(file);
  }
  if (lecteur_pdf.empty()) {
    fl_show_Smessages(langue == 0 ? "generation du fichier tmp.pdf" : "generation of tmp.pdf file");
  } else {
    imprime_tmp_pdf();
  }
}

void OFD_afficheur::imprime_tmp_pdf() {
  run_program(lecteur_pdf, "tmp.pdf");
  std::remove("tmp.pdf");
}

void OFD_afficheur::fichier_texte() {
  if (!filtre_texte) return;
  {
    std::fstream file("tmp.txt", std::ios::out | std::ios::trunc | std::ios::binary);
    if (file.is_open()) filtre_texte->imprime(file);
  }
  fl_show_Smessages(langue == 0 ? "generation du fichier tmp.txt" : "generation of tmp.txt file");
}

int OFD_afficheur::imprime_tmp_ps() {
  // Fixed commands: nothing here comes from the caller. Each runs whatever the one before gave
  // (a cast to void keeps no status quiet under _FORTIFY_SOURCE).
  for (const char* command : {"ps2pdf tmp.ps", "acroread tmp.pdf", "rm tmp.pdf"}) {
    [[maybe_unused]] const int status = std::system(command);
  }
  return std::system("rm tmp.ps");
}
