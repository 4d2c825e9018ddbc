// orrisk-check [DIR]: reports every problem the game would meet in the data files of DIR (the
// working directory by default), one "file:line: message" line each, and every warning about data
// the game reads differently than a person would; status 1 when there is any problem, 0 when
// there are only warnings.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "audio/sound_check.h"
#include "data/validation.h"
#include "shader_sources.h"

namespace {

constexpr const char* usage = "usage: orrisk-check [DIR]\n"
                              "Checks the game's data files in DIR (default: the working "
                              "directory).\n";

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::fputs(usage, argc > 2 ? stderr : stdout);
        return argc > 2 ? 2 : 0;
    }
    const std::string dir = argc == 2 ? argv[1] : ".";
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error)) {
        std::fprintf(stderr, "orrisk-check: %s is not a directory\n", dir.c_str());
        return 2;
    }
    Problems found = checkDataDirectory(dir);
    Problems counted;
    checkShaderSources(dir, countShaderPairs(dir, counted), found);
    checkSounds(dir, found);
    size_t warnings = 0;
    for (const Problem& problem : found) {
        std::printf("%s\n", formatProblem(problem).c_str());
        warnings += isWarning(problem);
    }
    if (warnings < found.size())
        return 1;
    if (warnings > 0)
        std::printf("%s: the game can use the data; %zu warning%s above\n", dir.c_str(), warnings,
                    warnings == 1 ? "" : "s");
    else
        std::printf("%s: the data is sound\n", dir.c_str());
    return 0;
}
