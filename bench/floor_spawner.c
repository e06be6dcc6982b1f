/* The floor: a static C program that only starts the client. */
#include "floor_spawn.h"

int main(int argc, char** argv) {
    return FloorSpawn(argc, argv);
}
