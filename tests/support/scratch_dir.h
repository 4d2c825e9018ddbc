#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A temporary directory for data files, removed with everything in it at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orrisk-XXXXXX").string();
        root = mkdtemp(pattern.data());
    }
    ~ScratchDir() { std::filesystem::remove_all(root); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const { return (root / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }

    std::filesystem::path root;
};

// Runs a test body with the working directory switched to a scratch directory, as the game reads
// its files from the working directory.
class InDirectory {
  public:
    explicit InDirectory(const std::filesystem::path& dir) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(previous); }

  private:
    std::filesystem::path previous;
};
