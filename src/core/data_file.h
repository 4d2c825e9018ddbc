#pragma once
#include <cstdio>
#include <string>

// Opens a data file for reading the way every loader does; nullptr when it cannot be opened or
// names a directory, which the game treats like a missing file.
std::FILE* openDataFile(const std::string& path);
// Whether openDataFile would succeed; the file is closed again.
bool dataFileOpens(const std::string& path);
