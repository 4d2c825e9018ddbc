#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

// The readers report to standard output; a fuzzer run would spend most of its time printing.
// The game flushes its per-frame lines, so even /dev/null would cost a write each: standard
// output becomes a stream that drops what it is given without a system call.
inline void silenceStandardOutput() {
    std::cout.rdbuf(nullptr);
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    cookie_io_functions_t drop{};
    drop.write = [](void*, const char*, size_t size) { return static_cast<ssize_t>(size); };
    FILE* sink = fopencookie(nullptr, "w", drop);
    if (!sink)
        std::abort();
    stdout = sink;
}

// One directory per fuzzer process, reused for every input.
inline const std::filesystem::path& fuzzDirectory() {
    static const std::filesystem::path dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orrisk-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

inline void writeFile(const std::filesystem::path& path, const char* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(data, static_cast<long>(size));
}

// Failing here makes libFuzzer keep the input as a crash.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}
