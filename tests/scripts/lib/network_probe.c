/* Shows that the network guard works: a local socket must open, an Internet one
 * must be refused. Exits 0 when both happen as the guard promises. */
#include <stdio.h>
#include <sys/socket.h>
#include <unistd.h>

int main(void) {
    int local = socket(AF_UNIX, SOCK_STREAM, 0);
    int internet = socket(AF_INET, SOCK_STREAM, 0);
    printf("local %s, internet %s\n", local >= 0 ? "opened" : "refused", internet >= 0 ? "opened" : "refused");
    if (local >= 0) close(local);
    if (internet >= 0) close(internet);
    return local >= 0 && internet < 0 ? 0 : 1;
}
