#include "game/replay_recorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/seeds.h"
#include "game/game.h"
#include "game/world_digest.h"
#include "graphics/window_size.h"

namespace {

bool makeDirectoriesFor(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string dir = path.substr(0, slash);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

constexpr unsigned digestEveryMs = 1000;
constexpr unsigned writeEveryMs = 1000;

} // namespace

bool ReplayRecorder::open(const std::string& path, bool survival, bool makeDirectories) {
    path_ = path;
    survival_ = survival;
    if (makeDirectories && !makeDirectoriesFor(path)) {
        errorText = std::strerror(errno);
        return false;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        errorText = std::strerror(errno);
        return false;
    }
    return true;
}

void ReplayRecorder::writeHeader() {
    headerWritten_ = true;
    std::memcpy(buffer_.get(), replayMark, sizeof replayMark);
    PayloadWriter version{buffer_.get() + sizeof replayMark, 4};
    version.u32(replayFormatVersion);
    used_ = replayPreambleSize;
    PayloadWriter out{payload_.get(), maxPayload};
    encodeHeader(currentHeader(w, h, survival_), out);
    append(BlockKind::header, payload_.get(), out.size);
    for (unsigned seed : earlySeeds_)
        noteSeed(seed);
    earlySeeds_.clear();
}

void ReplayRecorder::append(BlockKind kind, const std::uint8_t* payload, std::size_t size) {
    if (fd_ < 0)
        return;
    if (used_ + size + blockOverhead > bufferSize)
        writeOut();
    used_ += writeBlock(kind, payload, size, buffer_.get() + used_, bufferSize - used_);
}

void ReplayRecorder::writeOut() {
    std::size_t done = 0;
    while (fd_ >= 0 && done < used_) {
        const ssize_t n = ::write(fd_, buffer_.get() + done, used_ - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A full disk ends the recording, never the game.
            ::close(fd_);
            fd_ = -1;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
}

void ReplayRecorder::noteSeed(unsigned seed) {
    if (!headerWritten_) {
        earlySeeds_.push_back(seed);
        return;
    }
    std::uint8_t bytes[4];
    PayloadWriter out{bytes, sizeof bytes};
    out.u32(seed);
    append(BlockKind::seed, bytes, out.size);
}

void ReplayRecorder::noteClock(unsigned ticks) {
    // Readings beyond the last one kept replay as the last one kept.
    if (readCount_ < maxReads)
        reads_[readCount_++] = ticks;
}

void ReplayRecorder::noteCommand(const Command& command) {
    command_ = command;
}

void ReplayRecorder::commitFrame() {
    PayloadWriter out{payload_.get(), maxPayload};
    out.u16(static_cast<std::uint32_t>(readCount_));
    // Each reading as the milliseconds since the one before, across frames.
    for (int i = 0; i < readCount_; ++i) {
        out.varint(reads_[i] - lastEncoded_);
        lastEncoded_ = reads_[i];
    }
    encodeCommand(command_, out);
    append(BlockKind::frame, payload_.get(), out.size);
    readCount_ = 0;
    command_ = Command();
    ++frames_;
}

void ReplayRecorder::endFrame(const Game& game) {
    if (!headerWritten_)
        writeHeader();
    const unsigned lastRead = readCount_ > 0 ? reads_[readCount_ - 1] : lastWrite_;
    commitFrame();
    const unsigned now = game.loop.lastTicks;
    if (!started_) {
        started_ = true;
        runStart_ = now;
        lastWrite_ = lastRead;
    }
    if (now - runStart_ >= nextDigestMs_) {
        PayloadWriter out{payload_.get(), maxPayload};
        encodeWorldDigest(game, frames_, now - runStart_, out);
        append(BlockKind::digest, payload_.get(), out.size);
        while (now - runStart_ >= nextDigestMs_)
            nextDigestMs_ += digestEveryMs;
    }
    if (lastRead - lastWrite_ >= writeEveryMs) {
        writeOut();
        lastWrite_ = lastRead;
    }
}

void ReplayRecorder::finish(const Game& game) {
    if (fd_ < 0)
        return;
    if (!headerWritten_)
        writeHeader();
    if (game.universe.player) {
        commitFrame();
        PayloadWriter out{payload_.get(), maxPayload};
        encodeWorldDigest(game, frames_, game.loop.lastTicks - runStart_, out);
        append(BlockKind::end, payload_.get(), out.size);
    }
    writeOut();
    ::close(fd_);
    fd_ = -1;
}

namespace {

bool writeAll(int fd, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool copyFile(int from, int to) {
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(from, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!writeAll(to, chunk, static_cast<std::size_t>(n)))
            return false;
    }
}

} // namespace

bool ReplayRecorder::copyTo(const std::string& path, const Game& game) {
    writeOut();
    if (fd_ < 0) {
        errorText = "the recording has stopped";
        return false;
    }
    const std::string temporary = path + ".new";
    const int from = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    const int to = makeDirectoriesFor(path)
                       ? ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)
                       : -1;
    bool copied = from >= 0 && to >= 0 && copyFile(from, to);
    if (copied) {
        PayloadWriter out{payload_.get(), maxPayload};
        encodeWorldDigest(game, frames_, game.loop.lastTicks - runStart_, out);
        std::uint8_t end[maxPayload + blockOverhead];
        const std::size_t size =
            writeBlock(BlockKind::end, payload_.get(), out.size, end, sizeof end);
        copied = writeAll(to, end, size);
    }
    errorText = copied ? "" : std::strerror(errno);
    if (from >= 0)
        ::close(from);
    if (to >= 0 && ::close(to) != 0)
        copied = false;
    copied = copied && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!copied)
        std::remove(temporary.c_str());
    return copied;
}

std::string flightRecorderPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/orrisk/replays/last.replay";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/orrisk/replays/last.replay";
    return std::string();
}

void keepPreviousReplay(const std::string& lastPath) {
    const std::size_t slash = lastPath.rfind('/');
    const std::string previous = lastPath.substr(0, slash + 1) + "previous.replay";
    std::rename(lastPath.c_str(), previous.c_str());
}

void recordInto(Game& game, ReplayRecorder& recorder) {
    seedTaken = [&recorder](unsigned seed) { recorder.noteSeed(seed); };
    game.clock = [&recorder, clock = game.clock] {
        const unsigned ticks = clock();
        recorder.noteClock(ticks);
        return ticks;
    };
    game.commandSource = [&recorder, source = game.commandSource](Command& command) {
        if (source)
            source(command);
        recorder.noteCommand(command);
    };
    game.frameEnded = [&recorder, &game] {
        recorder.endFrame(game);
        std::string& kept = game.survival.replayToKeep;
        if (kept.empty())
            return;
        if (!recorder.copyTo(kept, game))
            std::fprintf(stderr, "orrisk: the best run's replay cannot be kept as %s: %s\n",
                         kept.c_str(), recorder.errorText.c_str());
        kept.clear();
    };
}
