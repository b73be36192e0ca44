// acctinfo: prints the account record of one user of a domain.
#include <fcntl.h>

#include <cerrno>
#include <cstdio>

#include "driver.h"

namespace {

// Holds each closed standard descriptor open on /dev/null, read-only, so
// that no file or socket the name service opens can become standard output:
// the report then fails to write, and says so, instead of landing there.
void reserve_standard_descriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDONLY);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  reserve_standard_descriptors();
  return run_acctinfo(argc, argv, stdout, stderr);
}
