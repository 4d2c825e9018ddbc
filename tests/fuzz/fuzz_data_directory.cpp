#include <cstddef>
#include <cstdint>
#include <string>

#include "data/validation.h"
#include "fuzz_support.h"

namespace {

// The input is these files' texts separated by record separator bytes (0x1e); a file past the last
// part is absent.
const char* const dataFiles[] = {"weapondata.txt",    "shipdata.txt",     "playerdata.txt",
                                 "stardata.txt",      "planetdata.txt",   "wormholedata.txt",
                                 "emitterShade0.txt", "emitterShade1.txt"};
// Only whether a shader pair exists matters to the check; the first byte picks how many do.
const char* const shaderFiles[] = {"shader0.vs", "shader0.fs", "shader1.vs",
                                   "shader1.fs", "shader2.vs", "shader2.fs"};

void writeDirectory(const std::string& text) {
    const std::filesystem::path& dir = fuzzDirectory();
    size_t start = text.empty() ? 0 : 1;
    const int pairs = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 4;
    for (int s = 0; s < 6; ++s) {
        if (s < 2 * pairs)
            writeFile(dir / shaderFiles[s], "", 0);
        else
            std::filesystem::remove(dir / shaderFiles[s]);
    }
    for (const char* name : dataFiles) {
        if (start > text.size()) {
            std::filesystem::remove(dir / name);
            continue;
        }
        size_t end = text.find('\x1e', start);
        if (end == std::string::npos)
            end = text.size();
        writeFile(dir / name, text.data() + start, end - start);
        start = end + 1;
    }
}

} // namespace

// The whole start-up check on any set of data files: it finishes, and every problem names one of
// the files and says what is wrong.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeDirectory(std::string(reinterpret_cast<const char*>(data), size));
    for (const Problem& problem : checkDataDirectory(fuzzDirectory().string())) {
        require(!problem.file.empty() && !problem.message.empty(),
                "a problem without file or text");
        require(problem.line >= 0, "a negative line");
        formatProblem(problem);
    }
    return 0;
}
