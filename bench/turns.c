#include "turns.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int ParseTurnArguments(int argc, char** argv, TurnPlan* plan) {
    plan->count = argc - 3;
    plan->rounds = plan->count > 0 ? atoi(argv[1]) : 0;
    plan->runs = plan->count > 0 ? atoi(argv[2]) : 0;
    int fits = plan->rounds > 0 && plan->runs > 0 && plan->count <= kMaxTurnCommands;
    for (int c = 0; fits && c < plan->count; ++c) {
        char* equals = strchr(argv[c + 3], '=');
        fits = equals != NULL;
        if (fits) {
            TurnCommand* command = &plan->commands[c];
            *equals = '\0';
            command->name = argv[c + 3];
            int n = 0;
            for (char* arg = strtok(equals + 1, " "); arg != NULL && n < kMaxTurnArgs;
                 arg = strtok(NULL, " ")) {
                command->args[n++] = arg;
            }
            command->args[n] = NULL;
        }
    }
    if (!fits) {
        fprintf(stderr, "usage: %s ROUNDS RUNS NAME=COMMAND...\n", argv[0]);
    }
    return fits;
}

void TakeTurns(const TurnPlan* plan, void (*run)(void* context, int command, int turn),
               void* context) {
    enum { kWarmUp = 20 };
    for (int turn = -kWarmUp; turn < plan->rounds * plan->runs; ++turn) {
        for (int c = 0; c < plan->count; ++c) {
            run(context, c, turn < 0 ? -1 : turn);
        }
    }
}

long long TurnNowNs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a;
    const double y = *(const double*)b;
    return (x > y) - (x < y);
}

double TurnMedian(const double* values, int count) {
    double* sorted = malloc(sizeof *sorted * (size_t)count);
    if (sorted == NULL) {
        abort();
    }
    memcpy(sorted, values, sizeof *sorted * (size_t)count);
    qsort(sorted, (size_t)count, sizeof *sorted, Compare);
    const double middle =
        count % 2 ? sorted[count / 2] : (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
    free(sorted);
    return middle;
}
