/* Times commands that take turns run by run, so a burst of load on a shared
   machine falls on all of them alike rather than on one command's block.

     in_turns ROUNDS RUNS NAME=COMMAND...

   Each COMMAND (split at spaces, run without a shell) runs ROUNDS x RUNS
   times after 20 warm-up turns; a run is timed from its start until it has
   been waited for. Prints, for each NAME in order, the median wall time of
   all its runs and the lowest and highest of its rounds' medians divided by
   the first command's median in the same round:

     launch_NAME_ms=1.234
     launch_NAME_spread=1.01-1.09 */
#define _GNU_SOURCE
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

enum { kMaxCommands = 16, kMaxArgs = 16, kWarmUp = 20 };

typedef struct {
    char* name;
    char* args[kMaxArgs + 1];
    double* times; /* ms, ROUNDS x RUNS */
} Command;

static double NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static double RunOnce(const Command* command) {
    const double start = NowMs();
    pid_t child = 0;
    if (posix_spawn(&child, command->args[0], NULL, NULL, command->args, environ) != 0) {
        fprintf(stderr, "in_turns: can't start %s\n", command->args[0]);
        exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return NowMs() - start;
}

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a;
    const double y = *(const double*)b;
    return (x > y) - (x < y);
}

static double Median(const double* values, int count) {
    double* sorted = malloc(sizeof *sorted * (size_t)count);
    memcpy(sorted, values, sizeof *sorted * (size_t)count);
    qsort(sorted, (size_t)count, sizeof *sorted, Compare);
    const double middle =
        count % 2 ? sorted[count / 2] : (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
    free(sorted);
    return middle;
}

int main(int argc, char** argv) {
    if (argc < 4 || argc - 3 > kMaxCommands) {
        fprintf(stderr, "usage: in_turns ROUNDS RUNS NAME=COMMAND...\n");
        return 2;
    }
    const int rounds = atoi(argv[1]);
    const int runs = atoi(argv[2]);
    const int count = argc - 3;
    Command commands[kMaxCommands];
    for (int c = 0; c < count; ++c) {
        char* equals = strchr(argv[c + 3], '=');
        if (equals == NULL || rounds < 1 || runs < 1) {
            fprintf(stderr, "usage: in_turns ROUNDS RUNS NAME=COMMAND...\n");
            return 2;
        }
        *equals = '\0';
        commands[c].name = argv[c + 3];
        int n = 0;
        for (char* arg = strtok(equals + 1, " "); arg != NULL && n < kMaxArgs;
             arg = strtok(NULL, " ")) {
            commands[c].args[n++] = arg;
        }
        commands[c].args[n] = NULL;
        commands[c].times = malloc(sizeof(double) * (size_t)(rounds * runs));
    }
    for (int turn = 0; turn < kWarmUp; ++turn) {
        for (int c = 0; c < count; ++c) {
            RunOnce(&commands[c]);
        }
    }
    for (int turn = 0; turn < rounds * runs; ++turn) {
        for (int c = 0; c < count; ++c) {
            commands[c].times[turn] = RunOnce(&commands[c]);
        }
    }
    for (int c = 0; c < count; ++c) {
        double low = 0;
        double high = 0;
        for (int r = 0; r < rounds; ++r) {
            const double ratio = Median(commands[c].times + r * runs, runs) /
                                 Median(commands[0].times + r * runs, runs);
            low = r == 0 || ratio < low ? ratio : low;
            high = r == 0 || ratio > high ? ratio : high;
        }
        printf("launch_%s_ms=%.3f\nlaunch_%s_spread=%.2f-%.2f\n", commands[c].name,
               Median(commands[c].times, rounds * runs), commands[c].name, low, high);
    }
    return 0;
}
