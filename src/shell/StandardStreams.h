// StandardStreams.h -- the standard streams made safe to write to before anything else opens.
#pragma once

// Puts /dev/null on any of descriptors 0 to 2 that is closed, so that no file or connection
// opened later takes its number and receives the game's messages, and makes standard output
// flush each line as it is written, so a line printed is never lost when the process is ended.
void guardStandardStreams();
