#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/replay_file.h"

struct Game;

// Writes a run as it is played: the seeds as they are taken, each frame's clock readings and
// command, and a digest of the world once every second of the run. Everything goes through one
// fixed buffer, written out at least once a second of the clock, so nothing is allocated per
// frame and a run that is killed loses at most its last second.
class ReplayRecorder {
  public:
    // Creates path (and its directories when asked); false, with errorText set, when it cannot.
    // The header is written once start-up has set the window's size (or failed).
    bool open(const std::string& path, bool survival, bool makeDirectories);
    const std::string& path() const { return path_; }

    void noteSeed(unsigned seed);
    void noteClock(unsigned ticks);
    void noteCommand(const Command& command);
    // The frame just run: its record, a digest once a second of the run has passed, and the
    // buffer written out once a second of the clock has.
    void endFrame(const Game& game);
    // The game ends: the frame under way, the end block with the world's digest, all written.
    void finish(const Game& game);
    // Only write(2): for a process that is about to die.
    void writeOut();
    // The recording so far, closed with an end block as if the game ended here, written to
    // path (made anew, its directories too); false, with errorText set, when it cannot.
    bool copyTo(const std::string& path, const Game& game);

    std::string errorText;

  private:
    void writeHeader();
    void append(BlockKind kind, const std::uint8_t* payload, std::size_t size);
    void commitFrame();

    static constexpr std::size_t bufferSize = 1 << 17;
    static constexpr int maxReads = 4096;
    int fd_ = -1;
    bool survival_ = false;
    bool headerWritten_ = false;
    // Seeds taken before the header is written.
    std::vector<unsigned> earlySeeds_;
    std::string path_;
    std::unique_ptr<std::uint8_t[]> buffer_{new std::uint8_t[bufferSize]};
    std::size_t used_ = 0;
    std::unique_ptr<std::uint8_t[]> payload_{new std::uint8_t[maxPayload]};
    unsigned reads_[maxReads] = {};
    int readCount_ = 0;
    unsigned lastEncoded_ = 0;
    Command command_;
    std::uint32_t frames_ = 0;
    bool started_ = false;
    unsigned runStart_ = 0;
    unsigned nextDigestMs_ = 0;
    unsigned lastWrite_ = 0;
};

// Where the flight recorder keeps the last run: $XDG_STATE_HOME/orrisk/replays/last.replay, or
// under ~/.local/state; "" when neither names a directory.
std::string flightRecorderPath();
// last.replay becomes previous.replay.
void keepPreviousReplay(const std::string& lastPath);

// From here on the seeds the game takes, its clock readings and its commands (from the source it
// has) go into the recording, and each frame's end into recorder.endFrame.
// A survival run that ends among the best keeps the recording up to its end.
void recordInto(Game& game, ReplayRecorder& recorder);
