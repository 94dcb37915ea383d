/* Loaded with LD_PRELOAD into a program under test: every socket() of an
 * Internet family (IPv4, IPv6, packet) is refused with EACCES and written as one
 * line to the file $QM_NETWORK_GUARD_LOG, which the test then expects empty.
 * Local sockets (the X server, the sound server) pass through untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

static const char* familyName(int domain) {
    switch (domain) {
    case AF_INET: return "AF_INET";
    case AF_INET6: return "AF_INET6";
    case AF_PACKET: return "AF_PACKET";
    default: return NULL;
    }
}

static void record(const char* family) {
    const char* path = getenv("QM_NETWORK_GUARD_LOG");
    char exe[256] = "?";
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) exe[n] = '\0';
    char line[512];
    int length = snprintf(line, sizeof line, "socket(%s) refused in %s (pid %d)\n", family, exe, (int)getpid());
    int fd = path ? open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644) : 2;
    if (fd < 0) fd = 2;
    if (write(fd, line, (size_t)length) < 0) { /* nothing more can be said */ }
    if (fd != 2) close(fd);
}

int socket(int domain, int type, int protocol) {
    const char* family = familyName(domain);
    if (family) {
        record(family);
        errno = EACCES;
        return -1;
    }
    int (*real)(int, int, int) = (int (*)(int, int, int))dlsym(RTLD_NEXT, "socket");
    return real ? real(domain, type, protocol) : -1;
}
