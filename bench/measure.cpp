// Runs a command and prints its wall time in nanoseconds and its peak
// resident memory in KiB: "measure PROGRAM ARG...". Standard output of the
// command goes to /dev/null.
//
// A child's peak resident memory counts what it held before exec too, so
// the launcher must stay smaller than anything it measures: it is a plain
// program that vforks, so the child holds only the launcher's few pages.
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const int devnull = open("/dev/null", O_WRONLY);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = vfork();
    if (pid == 0) {
        dup2(devnull, STDOUT_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) < 0)
        return 2;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const long long ns = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
    std::printf("%lld %ld %d\n", ns, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : 128);
    return 0;
}
