#pragma once
// One start-up, run in a child process: the program as it starts for the user, or the baseline
// (one window with one label of Russian text, the toolkit's floor). Prints the monotonic clock
// at the end of the first paint of the window and the peak resident set size at that moment.
int RunStartupProbe(int argc, char** argv, bool baseline);
