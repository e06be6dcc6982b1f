/* What in_turns and timeline share: commands given as NAME=COMMAND, a clock,
   and medians. */
#pragma once

enum { kMaxTurnCommands = 16, kMaxTurnArgs = 16 };

typedef struct {
    char* name;
    char* args[kMaxTurnArgs + 1];
} TurnCommand;

typedef struct {
    TurnCommand commands[kMaxTurnCommands];
    int count;
    int rounds;
    int runs;
} TurnPlan;

/* Reads "PROGRAM ROUNDS RUNS NAME=COMMAND..." (argv changed in place; each
   COMMAND split at spaces, run without a shell). 0, after printing the
   usage, when the arguments don't fit. */
int ParseTurnArguments(int argc, char** argv, TurnPlan* plan);

/* Runs every command of `plan` 20 times, then ROUNDS x RUNS times, in turns:
   run(context, command, turn), turn -1 for the warm-up ones. */
void TakeTurns(const TurnPlan* plan, void (*run)(void* context, int command, int turn),
               void* context);

/* CLOCK_MONOTONIC in nanoseconds. */
long long TurnNowNs(void);

double TurnMedian(const double* values, int count);
