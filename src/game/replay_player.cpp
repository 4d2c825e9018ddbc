#include "game/replay_player.h"

#include <SDL/SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/seeds.h"
#include "game/game.h"
#include "game/input.h"
#include "game/options.h"
#include "game/world_digest.h"

namespace {

bool readWhole(const char* path, std::vector<std::uint8_t>& bytes, std::string& problem) {
    std::FILE* in = std::fopen(path, "rb");
    if (!in) {
        problem = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    std::uint8_t chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        problem = "cannot be read";
    return !failed;
}

class Replay {
  public:
    Replay(const char* path, std::vector<std::uint8_t> bytes)
        : path_(path), bytes_(std::move(bytes)) {}

    // "" when the file can be played here, else what is wrong.
    std::string check() {
        std::string problem = parseReplay(bytes_, contents_);
        if (!problem.empty())
            return problem;
        const ReplayHeader& header = contents_.header;
        const ReplayHeader here = currentHeader(header.width, header.height, false);
        for (const ReplayHeader::DataFile& file : header.files) {
            std::uint64_t digest = 0;
            const bool found = fileDigest(file.name, digest);
            if (!found || digest != file.digest)
                return "was recorded with other data: " + file.name +
                       (found ? " differs" : " is missing");
        }
        if (here.files.size() != header.files.size())
            return "was recorded with other data: " + here.files.back().name + " differs";
        problem = planReplay(bytes_, contents_, plan_);
        if (problem.empty() && plan_.frames.empty())
            return "holds no frames";
        return problem;
    }

    void announce() const {
        if (contents_.header.gameVersion != versionText)
            std::fprintf(stderr,
                         "orrisk: %s was recorded by orrisk %s; this is %s, so it may play "
                         "differently\n",
                         path_, contents_.header.gameVersion.c_str(), versionText);
        if (contents_.endedEarly)
            std::fprintf(stderr, "orrisk: %s ends early: it plays to its last whole frame\n",
                         path_);
    }

    const ReplayHeader& header() const { return contents_.header; }
    bool framesLeft() const { return next_ < plan_.frames.size(); }

    // The next frame's clock readings and command become the ones the game takes.
    void advance() {
        current_ = &plan_.frames[next_++];
        readIndex_ = 0;
        readAt_ = current_->readsAt;
    }

    unsigned clock() {
        if (readIndex_ < current_->readCount) {
            PayloadReader in{bytes_.data() + readAt_, bytes_.size() - readAt_};
            lastRead_ += in.varint();
            readAt_ += in.at;
            ++readIndex_;
        }
        return lastRead_;
    }

    unsigned seed() { return nextSeed_ < plan_.seeds.size() ? plan_.seeds[nextSeed_++] : 0; }
    const Command& command() const { return current_->command; }

    // The clock reading the next frame begins with.
    unsigned upcomingTime() const {
        const RecordedFrame& frame = plan_.frames[next_];
        if (frame.readCount == 0)
            return lastRead_;
        PayloadReader in{bytes_.data() + frame.readsAt, bytes_.size() - frame.readsAt};
        return lastRead_ + in.varint();
    }

    // Where the final digest goes.
    FILE* report_ = stdout;

    // After each frame: the digest recorded after it, if any, against the world. Ends the
    // process with 3 at the first difference.
    void checkDigest(const Game& game) {
        // The run's time counts from the end of start-up, as the recording's does.
        if (!started_) {
            started_ = true;
            runStart_ = game.loop.lastTicks;
        }
        if (current_->digest < 0)
            return;
        compare(game, contents_.blocks[static_cast<std::size_t>(current_->digest)]);
    }

    // The end of the recording: its last digest checked, the final digest printed.
    [[noreturn]] void finish(const Game& game) {
        const Block* end = nullptr;
        if (!contents_.endedEarly && !framesLeft())
            end = &contents_.blocks.back();
        if (end)
            compare(game, *end);
        PayloadWriter out{scratch_, sizeof scratch_};
        encodeWorldDigest(game, static_cast<std::uint32_t>(next_), game.loop.lastTicks - runStart_,
                          out);
        std::fprintf(report_, "replay %s: %zu frames, %.3f s, digest %016" PRIx64 "\n", path_,
                     next_, static_cast<double>(game.loop.lastTicks - runStart_) / 1000,
                     fnv1a(scratch_, out.size));
        std::fflush(report_);
        std::exit(0);
    }

  private:
    void compare(const Game& game, const Block& block) {
        PayloadWriter out{scratch_, sizeof scratch_};
        encodeWorldDigest(game, static_cast<std::uint32_t>(next_), game.loop.lastTicks - runStart_,
                          out);
        const std::string difference =
            digestDifference(bytes_.data() + block.offset, block.size, scratch_, out.size);
        if (difference.empty())
            return;
        std::fprintf(stderr, "orrisk: %s plays differently from its recording at %s\n", path_,
                     difference.c_str());
        std::exit(3);
    }

    const char* path_;
    std::vector<std::uint8_t> bytes_;
    ReplayContents contents_;
    ReplayPlan plan_;
    std::size_t nextSeed_ = 0;
    std::size_t next_ = 0;
    RecordedFrame* current_ = nullptr;
    int readIndex_ = 0;
    std::size_t readAt_ = 0;
    unsigned lastRead_ = 0;
    bool started_ = false;
    unsigned runStart_ = 0;
    std::uint8_t scratch_[12 * digestSystems + 64];
};

// A survival run plays as it was played, but reads and writes no scores.
void beginRecordedMode(Game& game, const ReplayHeader& header) {
    if (!header.survival)
        return;
    beginSurvival(game, false);
    game.aidsShown = true;
}

// Standard output as it was before setStandardOutputAside.
FILE* keptStandardOutput = nullptr;

// Frames at the recording's pace: each starts once as much time has passed since the first as
// had passed when it was recorded. P holds the playing, Q and the window's close end it.
[[noreturn]] void playInWindow(Game& game, Replay& replay) {
    const unsigned wallStart = SDL_GetTicks();
    const unsigned recordedStart = game.loop.lastTicks;
    unsigned held = 0;
    bool paused = false;
    while (replay.framesLeft()) {
        const unsigned heldAt = SDL_GetTicks();
        if (readReplayControls(paused))
            std::exit(0);
        if (paused) {
            SDL_Delay(pausedFrameMs);
            held += SDL_GetTicks() - heldAt;
            continue;
        }
        const unsigned due = replay.upcomingTime() - recordedStart;
        const unsigned elapsed = SDL_GetTicks() - wallStart - held;
        if (static_cast<int>(due - elapsed) > 0)
            SDL_Delay(due - elapsed);
        replay.advance();
        runFrame(game);
    }
    replay.finish(game);
}

} // namespace

int playReplay(const char* path, bool headless) {
    std::vector<std::uint8_t> bytes;
    std::string problem;
    if (!readWhole(path, bytes, problem)) {
        std::fprintf(stderr, "orrisk: replay %s %s\n", path, problem.c_str());
        return 1;
    }
    Replay replay(path, std::move(bytes));
    problem = replay.check();
    if (!problem.empty()) {
        std::fprintf(stderr, "orrisk: replay %s %s\n", path, problem.c_str());
        return 1;
    }
    replay.announce();
    w = replay.header().width;
    h = replay.header().height;

    Game game;
    seedSource = [&replay] { return replay.seed(); };
    game.clock = [&replay] { return replay.clock(); };
    game.commandSource = [&replay](Command& command) { command = replay.command(); };
    game.frameEnded = [&replay, &game] { replay.checkDigest(game); };
    game.quit = [&replay, &game] { replay.finish(game); };
    replay.advance();
    if (headless) {
        if (!keptStandardOutput)
            setStandardOutputAside();
        replay.report_ = keptStandardOutput ? keptStandardOutput : stderr;
        if (!startHeadless(game)) {
            std::fprintf(stderr, "orrisk: replay %s cannot start: the data here is refused\n",
                         path);
            return 1;
        }
        game.frameEnded();
        beginRecordedMode(game, replay.header());
        while (replay.framesLeft()) {
            replay.advance();
            simulateFrame(game);
        }
        replay.finish(game);
    }
    // In a window standard output keeps the recorded run's lines alone.
    replay.report_ = stderr;
    if (!startGame(game, false))
        return 1;
    game.frameEnded();
    beginRecordedMode(game, replay.header());
    playInWindow(game, replay);
}

void setStandardOutputAside() {
    std::fflush(stdout);
    const int kept = dup(STDOUT_FILENO);
    if (kept < 0)
        return;
    keptStandardOutput = fdopen(kept, "w");
    if (!std::freopen("/dev/null", "w", stdout))
        keptStandardOutput = nullptr;
}
