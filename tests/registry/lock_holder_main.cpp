// SPDX-License-Identifier: MIT
// Stands in for a running wineserver as the process table shows it: a program of its own that
// holds a POSIX write lock on the file argv[1] until it is killed. Writes 'y' (locked) or 'n' to
// the descriptor argv[2] once it has tried.
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const int ready = std::atoi(argv[2]);
    const int fd = ::open(argv[1], O_RDWR | O_CREAT, 0600);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_len = 1;
    const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
    [[maybe_unused]] const auto sent = ::write(ready, &ok, 1);
    ::close(ready);
    for (;;)
        ::pause();
}
