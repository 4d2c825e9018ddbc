#include "audio/sound_check.h"

#include <cstdint>
#include <filesystem>
#include <vector>

#include "audio/sound_file.h"
#include "audio/sound_names.h"

void checkSounds(const std::string& dir, Problems& problems) {
    const std::string without = "; the game plays without that sound";
    std::vector<uint8_t> bytes;
    for (const char* name : soundFiles) {
        std::string reason;
        const std::string path = (std::filesystem::path(dir) / name).string();
        if (!readSoundFile(path, bytes, reason) ||
            !soundDecodes(bytes.data(), bytes.size(), reason))
            problems.push_back(Problem{
                name, 0,
                (reason == "missing" ? reason : "cannot be used as a sound: " + reason) + without,
                Severity::warning});
    }
}
