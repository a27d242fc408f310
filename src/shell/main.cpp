// main.cpp -- the program entry: one game on the stack, its run's result as the exit status.
#include "shell/Game.h"

int main(int, char**) {
    CGame game;
    return game.run();
}
