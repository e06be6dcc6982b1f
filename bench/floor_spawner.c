/* The floor of the launch benchmark: a static C program that starts a client
   exactly as the launcher does -- posix_spawn of the same arguments, current
   directory "./", the inherited environment, no wait -- and does nothing else.

     floor_spawner <client> <record>      runs      <client> KelvoFile <record> */
#define _GNU_SOURCE
#include <spawn.h>
#include <stddef.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3) {
        return 1;
    }
    char keyword[] = "KelvoFile";
    char* args[] = {argv[1], keyword, argv[2], NULL};
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return 1;
    }
    posix_spawn_file_actions_addchdir_np(&actions, "./");
    pid_t child = 0;
    const int result = posix_spawn(&child, args[0], &actions, NULL, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? 0 : 1;
}
