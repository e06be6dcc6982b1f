/* Unit costs of a fresh process on this machine, for the launch benchmark's
   account of where a launcher run's time goes. In one fresh process:

     fault_us      a fresh page of the heap cleared, faulting in on its first
                   write (as an item buffer's page is, all NUL when new)
     mapped_us     the same for a page mapped in one request with others
     freed_us      a cleared page given back, as a process's end gives back
                   its pages
     code_us       a page of the program's code run for the first time
     file_us       a small file opened as the launcher opens its files
                   (non-blocking, checked, made blocking, locked), read to
                   its end and closed: seven system calls
     syscall_us    the cheapest system call

     page_cost <small file>        prints key=value on one line */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

enum { kPages = 64, kPageSize = 4096, kFiles = 16, kCalls = 200, kCodePages = 32 };

static double NowUs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e6 + (double)now.tv_nsec / 1e3;
}

/* Microseconds per page to clear kPages fresh pages at the heap's top,
   mapped one by one on the first write or all at once before; and, in
   *freed, per page to give them back. */
static double PageUs(int mapAtOnce, double* freed) {
    char* top = sbrk(0);
    char* pages = (char*)(((uintptr_t)top + kPageSize - 1) & ~(uintptr_t)(kPageSize - 1));
    const intptr_t grown = (pages - top) + kPages * kPageSize;
    if (sbrk(grown) == (void*)-1) {
        return -1;
    }
    const double start = NowUs();
    if (mapAtOnce) {
        madvise(pages, kPages * kPageSize, MADV_POPULATE_WRITE);
    }
    memset(pages, 0, kPages * kPageSize);
    const double cleared = NowUs();
    sbrk(-grown);
    *freed = (NowUs() - cleared) / kPages;
    return (cleared - start) / kPages;
}

/* kCodePages functions, each on a page of its own. */
#define CODE_PAGE(n)                                                         \
    __attribute__((noinline, aligned(4096))) static int CodePage##n(int x) { \
        return x * n + 1;                                                    \
    }
#define EIGHT_CODE_PAGES(n) \
    CODE_PAGE(n##0)         \
    CODE_PAGE(n##1)         \
    CODE_PAGE(n##2) CODE_PAGE(n##3) CODE_PAGE(n##4) CODE_PAGE(n##5) CODE_PAGE(n##6) CODE_PAGE(n##7)
EIGHT_CODE_PAGES(1)
EIGHT_CODE_PAGES(2)
EIGHT_CODE_PAGES(3)
EIGHT_CODE_PAGES(4)
#define EIGHT_NAMES(n)                                                              \
    CodePage##n##0, CodePage##n##1, CodePage##n##2, CodePage##n##3, CodePage##n##4, \
        CodePage##n##5, CodePage##n##6, CodePage##n##7
static int (*const kCode[kCodePages])(int) = {EIGHT_NAMES(1), EIGHT_NAMES(2), EIGHT_NAMES(3),
                                              EIGHT_NAMES(4)};

static double CodeUs(void) {
    volatile int sum = 0;
    const double start = NowUs();
    for (int i = 0; i < kCodePages; ++i) {
        sum += kCode[i](i);
    }
    return (NowUs() - start) / kCodePages;
}

static double FileUs(const char* path) {
    char buffer[4096];
    const double start = NowUs();
    for (int i = 0; i < kFiles; ++i) {
        const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        struct stat info;
        if (fd < 0 || fstat(fd, &info) != 0 || fcntl(fd, F_SETFL, 0) != 0 ||
            flock(fd, LOCK_SH | LOCK_NB) != 0) {
            return -1;
        }
        while (read(fd, buffer, sizeof buffer) > 0) {
        }
        close(fd);
    }
    return (NowUs() - start) / kFiles;
}

static double SyscallUs(void) {
    const double start = NowUs();
    for (int i = 0; i < kCalls; ++i) {
        syscall(SYS_getppid);
    }
    return (NowUs() - start) / kCalls;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        return 1;
    }
    double freed = 0;
    double unused = 0;
    const double fault = PageUs(0, &freed);
    const double mapped = PageUs(1, &unused);
    const double code = CodeUs();
    const double file = FileUs(argv[1]);
    printf("fault_us=%.2f mapped_us=%.2f freed_us=%.2f code_us=%.2f file_us=%.2f syscall_us=%.3f\n",
           fault, mapped, freed, code, file, SyscallUs());
    return 0;
}
