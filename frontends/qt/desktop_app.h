// The desktop program's start-up, event loop and exit.
#pragma once

// Runs the program: the arguments, the display, the core's start-up steps, the window and the event
// loop. Returns the process's exit status.
int RunDesktop(int argc, char** argv);
