#include "user_message.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "message_box_module.h"

namespace {

// Returns the message box module's entry point, or null when the module cannot be loaded. The
// module lies at MORVAC_MESSAGE_BOX_MODULE from the running program's folder, in the build
// tree as once installed.
MessageBoxShow* load_message_box() {
  char program[PATH_MAX];
  const ssize_t size = readlink("/proc/self/exe", program, sizeof program);
  if (size <= 0 || size == static_cast<ssize_t>(sizeof program)) return nullptr;
  const std::string path(program, static_cast<std::size_t>(size));
  const std::string module_path = path.substr(0, path.rfind('/') + 1) + MORVAC_MESSAGE_BOX_MODULE;
  // Kept loaded for the life of the process: the toolkit keeps its display connection.
  void* const module = dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return module != nullptr ? reinterpret_cast<MessageBoxShow*>(dlsym(module, kMessageBoxEntry))
                           : nullptr;
}

}  // namespace

void show_user_message(const std::string& text) {
  // Loaded at the first message only: a translation shows none and never maps the toolkit.
  static MessageBoxShow* const show = load_message_box();
  if (show != nullptr) {
    show(text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}
