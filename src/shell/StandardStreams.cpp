// StandardStreams.cpp -- closed standard descriptors filled with /dev/null; line-flushed output.
#include "shell/StandardStreams.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void guardStandardStreams() {
    // Started with stderr closed, the display connection would take descriptor 2, and the
    // first complaint about an image would be written into it.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // open() takes the lowest free number, which is this one.
            int opened = open("/dev/null", O_RDWR);
            if (opened != fd && opened >= 0) {
                close(opened);
            }
        }
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}
