/* The game client of the launch benchmark: ends at once, so a run measures
   the starting of it and nothing of the game. */
int main(void) {
    return 0;
}
