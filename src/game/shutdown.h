#pragma once

// Ends the process at once with status 1 and a line on stderr when the X connection breaks.
void endWhenDisplayLost();
// SIGTERM, SIGINT and SIGHUP ask the frame loop to quit as the quit event does.
void quitOnSignals();
bool quitSignalled();

// When the game ends on a lost display or a crash: writeOut is called, then a line on standard
// error names the replay to attach to a report. Only write(2) may be used by writeOut.
void nameReplayOnSuddenEnd(void (*writeOut)(), const char* replayPath);
// The line that names the replay after a refusal, a lost display or a crash.
void printReplayLine();
// A crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) writes the replay out and names it, then
// leaves the signal to the handler that was there before, which ends the process.
void nameReplayOnCrash();
