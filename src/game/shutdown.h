#pragma once

// Ends the process at once with status 1 and a line on stderr when the X connection breaks.
void endWhenDisplayLost();
// SIGTERM, SIGINT and SIGHUP ask the frame loop to quit as the quit event does.
void quitOnSignals();
bool quitSignalled();
