#pragma once

// The message printed for an OpenGL error code, or nullptr for codes that print nothing.
const char* glErrorMessage(unsigned int code);
// Prints the message of one pending OpenGL error, if any; never acts on it.
void reportError();
