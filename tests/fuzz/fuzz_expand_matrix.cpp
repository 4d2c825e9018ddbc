#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "data/validation.h"
#include "fuzz_support.h"
#include "graphics/emitter_data.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    return 0;
}

namespace {

// Bit for bit, so that a NaN read from the file ("nan", "Nangle") counts as kept.
bool sameRows(const ParameterSet& a, const ParameterSet& b) {
    if (a.size() != b.size())
        return false;
    for (size_t r = 0; r < a.size(); ++r)
        if (a[r].size() != b[r].size() ||
            std::memcmp(a[r].data(), b[r].data(), a[r].size() * sizeof(float)) != 0)
            return false;
    return true;
}

// A set the start-up check accepts expands its curve rows to the sample count after their
// leading values and keeps every other row; any other set comes back as it was.
ParameterSet checkedExpansion(const ParameterSet& set, const SetSource& source) {
    const ParameterSet expanded = expandMatrix(set);
    Problems problems;
    checkParameterSet(set, "emitterShade0.txt", source, problems);
    if (!problems.empty()) {
        require(sameRows(expanded, set), "a refused set was changed");
        return expanded;
    }
    require(expanded.size() == set.size(), "row count changed");
    const size_t samples = static_cast<size_t>(set[3][0]);
    for (size_t r = 0; r < set.size(); ++r) {
        if (set[r].size() < 10)
            require(sameRows({expanded[r]}, {set[r]}), "a short row was changed");
        else
            require(expanded[r].size() == set[r].size() - 100 + samples, "curve row length");
    }
    return expanded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<SetSource> sources;
    Problems problems;
    EmitterFile file = parseEmitterFile(in, "emitterShade0.txt", sources, problems);
    for (size_t s = 0; s < file.size(); ++s)
        file[s] = checkedExpansion(file[s], sources[s]);
    // The entry check reads expanded files the way start-up does, with and without programs.
    const std::vector<EmitterFile> files(1, file);
    for (size_t programs : {0, 1, 2})
        for (int owner : {flameProgram, swirlProgram})
            checkEmitterEntry(files, {sources}, 0, programs, owner, problems);
    return 0;
}
