// main.cpp -- the program entry: one game on the stack, what the command line asks of it as the
// exit status.
#include "shell/Game.h"

int main(int argc, char** argv) {
    CGame game;
    return game.runProgram(argc, argv);
}
