/* Times commands that take turns run by run, so a burst of load on a shared
   machine falls on all of them alike rather than on one command's block.

     in_turns ROUNDS RUNS NAME=COMMAND...

   Each COMMAND (split at spaces, run without a shell) runs ROUNDS x RUNS
   times after 20 warm-up turns, each timed until it has been waited for.
   Prints for each NAME the median of all its runs, and the lowest and
   highest of its rounds' medians over the first command's in the same round:
   "launch_NAME_ms=1.234" and "launch_NAME_spread=1.01-1.09". */
#define _GNU_SOURCE
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

enum { kMaxCommands = 16, kMaxArgs = 16, kWarmUp = 20 };

static double NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a;
    const double y = *(const double*)b;
    return (x > y) - (x < y);
}

/* Sorts `values` in place: the multiset, all that a later median reads, stays. */
static double Median(double* values, int count) {
    qsort(values, (size_t)count, sizeof *values, Compare);
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

/* The wall time of one run of `args`, until it has been waited for. */
static double RunOnce(char* const* args) {
    const double start = NowMs();
    pid_t child = 0;
    if (posix_spawn(&child, args[0], NULL, NULL, args, environ) != 0) {
        fprintf(stderr, "in_turns: can't start %s\n", args[0]);
        exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return NowMs() - start;
}

int main(int argc, char** argv) {
    const int count = argc - 3;
    const int rounds = count > 0 ? atoi(argv[1]) : 0;
    const int runs = count > 0 ? atoi(argv[2]) : 0;
    static char* names[kMaxCommands];
    static char* args[kMaxCommands][kMaxArgs + 1];
    int fits = rounds > 0 && runs > 0 && count <= kMaxCommands;
    for (int c = 0; fits && c < count; ++c) {
        char* equals = strchr(argv[c + 3], '=');
        fits = equals != NULL;
        if (fits) {
            *equals = '\0';
            names[c] = argv[c + 3];
            int n = 0;
            for (char* arg = strtok(equals + 1, " "); arg != NULL && n < kMaxArgs;
                 arg = strtok(NULL, " ")) {
                args[c][n++] = arg;
            }
        }
    }
    if (!fits) {
        fprintf(stderr, "usage: in_turns ROUNDS RUNS NAME=COMMAND...\n");
        return 2;
    }
    const int total = rounds * runs;
    double* all = malloc(sizeof(double) * (size_t)count * (size_t)total);
    double* times[kMaxCommands];
    for (int c = 0; all != NULL && c < count; ++c) {
        times[c] = all + (size_t)c * (size_t)total;
    }
    if (all == NULL) {
        return 1;
    }
    for (int turn = -kWarmUp; turn < total; ++turn) {
        for (int c = 0; c < count; ++c) {
            const double ms = RunOnce(args[c]);
            if (turn >= 0) {
                times[c][turn] = ms;
            }
        }
    }
    /* Every round's ratios first: a whole command's median sorts its runs. */
    double low[kMaxCommands];
    double high[kMaxCommands];
    for (int c = 0; c < count; ++c) {
        for (int r = 0; r < rounds; ++r) {
            const size_t first = (size_t)r * (size_t)runs;
            const double ratio = Median(times[c] + first, runs) / Median(times[0] + first, runs);
            low[c] = r == 0 || ratio < low[c] ? ratio : low[c];
            high[c] = r == 0 || ratio > high[c] ? ratio : high[c];
        }
    }
    for (int c = 0; c < count; ++c) {
        printf("launch_%s_ms=%.3f\nlaunch_%s_spread=%.2f-%.2f\n", names[c], Median(times[c], total),
               names[c], low[c], high[c]);
    }
    return 0;
}
