#pragma once
// The start-up procedure; returns the process exit code when the program must end
// before its main window opens, or -1 when the main window is up.
int Main();
