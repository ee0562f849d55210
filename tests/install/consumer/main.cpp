// Calls one function of each installed morvac library and reports through formspp's message box,
// which writes to standard output when there is no display: "Stringpp 42, sock listening".
#include <morvac/Stringpp.h>
#include <morvac/formspp.h>
#include <morvac/sock.h>

#include <string>

int main() {
  const std::string number = long2S(Stoi("41") + 1);

  SOCK* server = SOCK_make_server(0);  // on a port the system chooses
  const bool listening = server != nullptr && SOCK_port_number(server) > 0;
  SOCK_shutdown(server, 1);

  fl_show_Smessages("Stringpp " + number + ", sock " + (listening ? "listening" : "failed"));
  return listening ? 0 : 1;
}
