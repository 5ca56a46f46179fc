// Stands in for the processing program: ignores its arguments, writes nothing, and runs
// until it is killed. It dies with the program that started it, so a benchmark that is
// itself killed leaves nothing behind.
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

int main() {
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        return 1;
    for (;;)
        ::pause();
}
