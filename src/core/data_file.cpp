#include "core/data_file.h"

#include <sys/stat.h>

std::FILE* openDataFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return nullptr;
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

bool dataFileOpens(const std::string& path) {
    std::FILE* file = openDataFile(path);
    if (file)
        std::fclose(file);
    return file != nullptr;
}
