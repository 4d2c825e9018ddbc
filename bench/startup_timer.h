#pragma once
#include <string>

// Starts program (no arguments) in the working directory with its standard output on a pipe and
// returns the milliseconds until the count-th line equal to marker arrives; the program is then
// killed. Negative when the program ends or fails to start before that line.
double millisecondsToLine(const std::string& program, const char* marker, int count);
