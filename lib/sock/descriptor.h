// Owner of a socket descriptor while a record is being built: the descriptor is closed on every
// early return unless it has been handed over.
#ifndef MORVAC_SOCK_DESCRIPTOR_H
#define MORVAC_SOCK_DESCRIPTOR_H

#include <unistd.h>

namespace sock_internal {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  // Returns the descriptor, -1 when none was obtained.
  [[nodiscard]] int get() const { return fd_; }
  // Returns true when a descriptor is held.
  [[nodiscard]] bool valid() const { return fd_ >= 0; }
  // Returns the descriptor and stops owning it.
  [[nodiscard]] int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace sock_internal

#endif  // MORVAC_SOCK_DESCRIPTOR_H
