/* The timeline of whole runs of launch_phases: commands take turns run by run
   as in in_turns; each is started with RECLAUNCH_SPAWNED_AT_NS set to the
   clock at its spawn, and the key=value line it prints is read back.

     timeline ROUNDS RUNS NAME=COMMAND...

   Prints, for each NAME, the median of every numeric key the command printed
   (but end_ns), of end_us -- from the end of its main until it has been
   waited for -- and of wall_us, from the spawn until then:

     timeline_NAME_KEY=12.3 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "turns.h"

extern char** environ;

enum { kMaxKeys = 24, kKeySize = 32, kMaxEnvironment = 512 };

typedef struct {
    char names[kMaxKeys][kKeySize];
    double* values[kMaxKeys];
    int keys;
} Figures;

typedef struct {
    const TurnPlan* plan;
    Figures figures[kMaxTurnCommands];
} Timeline;

static double* ValuesOf(Figures* figures, const char* key, int total) {
    for (int k = 0; k < figures->keys; ++k) {
        if (strcmp(figures->names[k], key) == 0) {
            return figures->values[k];
        }
    }
    if (figures->keys == kMaxKeys || strlen(key) >= kKeySize) {
        return NULL;
    }
    const int k = figures->keys++;
    snprintf(figures->names[k], kKeySize, "%s", key);
    figures->values[k] = calloc((size_t)total, sizeof(double));
    return figures->values[k];
}

/* One run of `command`: its printed figures, end_us and wall_us, kept as
   run number `turn` unless it is a warm-up one. */
static void RunOnce(void* context, int commandIndex, int turn) {
    Timeline* timeline = context;
    const TurnCommand* command = &timeline->plan->commands[commandIndex];
    Figures* figures = &timeline->figures[commandIndex];
    const int total = timeline->plan->rounds * timeline->plan->runs;
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) {
        exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    char spawnedAt[64];
    char* environment[kMaxEnvironment + 2];
    int n = 0;
    for (char** variable = environ; *variable != NULL && n < kMaxEnvironment; ++variable) {
        environment[n++] = *variable;
    }
    environment[n++] = spawnedAt;
    environment[n] = NULL;
    const long long start = TurnNowNs();
    snprintf(spawnedAt, sizeof spawnedAt, "RECLAUNCH_SPAWNED_AT_NS=%lld", start);
    pid_t child = 0;
    if (posix_spawn(&child, command->args[0], &actions, NULL, command->args, environment) != 0) {
        fprintf(stderr, "timeline: can't start %s\n", command->args[0]);
        exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const long long waited = TurnNowNs();
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    /* The client it started may hold the pipe open: take what is there. */
    fcntl(output[0], F_SETFL, O_NONBLOCK);
    char line[4096];
    const ssize_t got = read(output[0], line, sizeof line - 1);
    close(output[0]);
    line[got > 0 ? got : 0] = '\0';
    if (turn < 0) {
        return;
    }
    for (char* field = strtok(line, " \n"); field != NULL; field = strtok(NULL, " \n")) {
        char* equals = strchr(field, '=');
        if (equals == NULL) {
            continue;
        }
        *equals = '\0';
        if (strcmp(field, "end_ns") == 0) {
            double* end = ValuesOf(figures, "end_us", total);
            if (end != NULL) {
                end[turn] = (double)(waited - atoll(equals + 1)) / 1e3;
            }
        } else {
            double* values = ValuesOf(figures, field, total);
            if (values != NULL) {
                values[turn] = atof(equals + 1);
            }
        }
    }
    double* wall = ValuesOf(figures, "wall_us", total);
    if (wall != NULL) {
        wall[turn] = (double)(waited - start) / 1e3;
    }
}

int main(int argc, char** argv) {
    static TurnPlan plan;
    static Timeline timeline;
    if (!ParseTurnArguments(argc, argv, &plan)) {
        return 2;
    }
    timeline.plan = &plan;
    TakeTurns(&plan, RunOnce, &timeline);
    const int total = plan.rounds * plan.runs;
    for (int c = 0; c < plan.count; ++c) {
        const Figures* figures = &timeline.figures[c];
        for (int k = 0; k < figures->keys; ++k) {
            printf("timeline_%s_%s=%.1f\n", plan.commands[c].name, figures->names[k],
                   TurnMedian(figures->values[k], total));
        }
    }
    return 0;
}
