#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "data/validation.h"
#include "fuzz_support.h"
#include "graphics/emitter_data.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    return 0;
}

namespace {

void requireWithin(const Problems& problems, int lines) {
    for (const Problem& problem : problems) {
        require(problem.file == "emitterShade0.txt", "a problem not naming its file");
        require(problem.line >= 1 && problem.line <= lines, "a problem line outside the file");
        require(!problem.message.empty(), "a problem without a message");
    }
}

} // namespace

// The line rules on any text: one source per set, one line number per row, every line number
// within the text and after its set's '#' line, and every problem pointing into the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<SetSource> sources;
    Problems problems;
    const EmitterFile file = parseEmitterFile(in, "emitterShade0.txt", sources, problems);
    const int lines = 1 + static_cast<int>(std::count(data, data + size, '\n'));
    require(sources.size() == file.size(), "a set without its source");
    for (size_t s = 0; s < file.size(); ++s) {
        require(sources[s].rowLines.size() == file[s].size(), "a row without its line");
        require(sources[s].headerLine >= 1 && sources[s].headerLine <= lines, "header line");
        for (int line : sources[s].rowLines)
            require(line > sources[s].headerLine && line <= lines, "row line outside its set");
        for (const auto& row : file[s])
            require(!row.empty(), "an empty row");
        checkParameterSet(file[s], "emitterShade0.txt", sources[s], problems);
    }
    requireWithin(problems, lines);
    return 0;
}
