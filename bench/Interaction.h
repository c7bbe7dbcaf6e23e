#pragma once
// Keystrokes and the ration table, measured inside one running program. Prints one line per
// measurement: a name and the series of durations in milliseconds.
int RunInteraction(int argc, char** argv);
