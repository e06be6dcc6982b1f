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
#include <sys/wait.h>

#include "turns.h"

extern char** environ;

typedef struct {
    const TurnPlan* plan;
    double* times[kMaxTurnCommands]; /* ms, ROUNDS x RUNS */
} Times;

static void RunOnce(void* context, int command, int turn) {
    Times* times = context;
    char* const* args = times->plan->commands[command].args;
    const long long start = TurnNowNs();
    pid_t child = 0;
    if (posix_spawn(&child, args[0], NULL, NULL, args, environ) != 0) {
        fprintf(stderr, "in_turns: can't start %s\n", args[0]);
        exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (turn >= 0) {
        times->times[command][turn] = (double)(TurnNowNs() - start) / 1e6;
    }
}

int main(int argc, char** argv) {
    static TurnPlan plan;
    if (!ParseTurnArguments(argc, argv, &plan)) {
        return 2;
    }
    const int total = plan.rounds * plan.runs;
    Times times = {&plan, {NULL}};
    for (int c = 0; c < plan.count; ++c) {
        times.times[c] = malloc(sizeof(double) * (size_t)total);
        if (times.times[c] == NULL) {
            return 1;
        }
    }
    TakeTurns(&plan, RunOnce, &times);
    for (int c = 0; c < plan.count; ++c) {
        double low = 0;
        double high = 0;
        for (int r = 0; r < plan.rounds; ++r) {
            const double ratio = TurnMedian(times.times[c] + r * plan.runs, plan.runs) /
                                 TurnMedian(times.times[0] + r * plan.runs, plan.runs);
            low = r == 0 || ratio < low ? ratio : low;
            high = r == 0 || ratio > high ? ratio : high;
        }
        printf("launch_%s_ms=%.3f\nlaunch_%s_spread=%.2f-%.2f\n", plan.commands[c].name,
               TurnMedian(times.times[c], total), plan.commands[c].name, low, high);
    }
    return 0;
}
