#pragma once

// Creates the window and runs it until it is closed. An error while the
// window is created is shown and ends the program before the window appears.
// The result, the process's exit code, is always 0.
int runProgram();
