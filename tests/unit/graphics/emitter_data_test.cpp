#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "data/validation.h"
#include "graphics/emitter.h"
#include "graphics/emitter_data.h"
#include "scratch_dir.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

struct Parsed {
    EmitterFile file;
    std::vector<SetSource> sources;
    Problems problems;
};

Parsed parse(const std::string& text) {
    Parsed parsed;
    std::istringstream in(text);
    parsed.file = parseEmitterFile(in, "emitterShade0.txt", parsed.sources, parsed.problems);
    return parsed;
}

// Samples 0, 1, ..., 99 after the given leading values.
std::vector<float> ramp(std::vector<float> leading) {
    for (int i = 0; i < 100; ++i)
        leading.push_back(static_cast<float>(i));
    return leading;
}

// A set whose row 3 asks for n samples, with the given row placed at position at.
ParameterSet setWith(float n, size_t at, const std::vector<float>& row) {
    ParameterSet set(std::max<size_t>(at + 1, 4), std::vector<float>{1});
    set[3] = {n};
    set[at] = row;
    return set;
}

std::string textOf(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Restores the global tables that a test replaces.
class GlobalTables : public testing::Test {
  protected:
    void TearDown() override {
        emitters = savedEmitters;
        shaders = savedShaders;
        emitterFileProblems = savedProblems;
        shaderProblems.clear();
    }
    std::vector<EmitterFile> savedEmitters = emitters;
    std::vector<unsigned int> savedShaders = shaders;
    std::vector<std::string> savedProblems = emitterFileProblems;
};

// Twelve rows: 60 layers, sample count 4, the given program index.
ParameterSet emitterSet(float program) {
    ParameterSet set(12, std::vector<float>{2});
    set[0] = {60};
    set[3] = {4};
    set[11] = {program};
    return set;
}

} // namespace

TEST(EmitterLineRules, ValuesAreSeparatedBySingleSpaces) {
    const Parsed parsed = parse("# set\n1 2 3\n1 2 3 \n1  2\n7\n7 \n2.5 x 4");
    ASSERT_EQ(parsed.file.size(), 1u);
    const ParameterSet& rows = parsed.file[0];
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(rows[1], (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(rows[2], (std::vector<float>{1, 0, 2}));
    EXPECT_EQ(rows[3], (std::vector<float>{7}));
    EXPECT_EQ(rows[4], (std::vector<float>{2.5f, 0, 4}));
    EXPECT_TRUE(parsed.problems.empty());
}

TEST(EmitterLineRules, HashLinesOpenSetsAndCarriageReturnsEndLines) {
    const Parsed parsed = parse("#first 1 2 3\r\n4 5\r\n7\r\n\r\n#second\r\n6 7\r\n#\n8 9");
    ASSERT_EQ(parsed.file.size(), 3u);
    EXPECT_EQ(parsed.file[0], (ParameterSet{{4, 5}}));
    EXPECT_EQ(parsed.file[1], (ParameterSet{{6, 7}}));
    EXPECT_EQ(parsed.file[2], (ParameterSet{{8, 9}}));
    EXPECT_EQ(parsed.sources[1].headerLine, 5);
    EXPECT_EQ(parsed.sources[1].rowLines, (std::vector<int>{6}));
    EXPECT_EQ(parsed.sources[2].rowLines, (std::vector<int>{8}));
}

TEST(EmitterLineRules, RowsBeforeTheFirstSetAreRefusedWithTheirLine) {
    const Parsed parsed = parse("\n1 2\n# set\n3 4\n");
    ASSERT_EQ(parsed.file.size(), 1u);
    EXPECT_EQ(parsed.file[0], (ParameterSet{{3, 4}}));
    ASSERT_EQ(parsed.problems.size(), 1u);
    const std::string line = formatProblem(parsed.problems[0]);
    EXPECT_EQ(line.rfind("emitterShade0.txt:2: row before the first '#'", 0), 0u) << line;
}

TEST(EmitterResampling, WorkedExampleAndScaledRows) {
    const std::vector<float> row = ramp({2});
    EXPECT_EQ(expandMatrix(setWith(4, 6, row))[6],
              (std::vector<float>{2, 0, 24.75f, 49.5f, 74.25f}));
    for (size_t scaled : {4, 5, 9})
        EXPECT_EQ(expandMatrix(setWith(4, scaled, row))[scaled],
                  (std::vector<float>{2, 0, 49.5f, 99, 148.5f}))
            << "row " << scaled;
}

TEST(EmitterResampling, SampleCountsOneZeroAndHundred) {
    const std::vector<float> row = ramp({3, 8});
    std::vector<float> shifted = row;
    shifted[2] = 5; // first curve sample
    EXPECT_EQ(expandMatrix(setWith(1, 6, shifted))[6], (std::vector<float>{3, 8, 5}));
    EXPECT_EQ(expandMatrix(setWith(1, 9, shifted))[9], (std::vector<float>{3, 8, 15}));
    EXPECT_EQ(expandMatrix(setWith(0, 7, row))[7], (std::vector<float>{3, 8}));
    EXPECT_EQ(expandMatrix(setWith(3.9f, 7, row))[7].size(), 5u) << "N is truncated";

    const std::vector<float> hundred = expandMatrix(setWith(100, 8, ramp({})))[8];
    ASSERT_EQ(hundred.size(), 100u);
    EXPECT_FLOAT_EQ(hundred[1], 0.99f);
    EXPECT_FLOAT_EQ(hundred[99], 98.01f);
}

TEST(EmitterResampling, ExactlyHundredValuesScaleByTheirOwnFirstSample) {
    std::vector<float> row = ramp({});
    row[0] = 2; // samples 2, 1, 2, 3, ...
    const std::vector<float> plain = expandMatrix(setWith(2, 10, row))[10];
    const std::vector<float> scaled = expandMatrix(setWith(2, 5, row))[5];
    EXPECT_EQ(plain, (std::vector<float>{2, 49.5f}));
    EXPECT_EQ(scaled, (std::vector<float>{4, 99}));
}

TEST(EmitterResampling, ShortRowsAndTheInputStayAsTheyAre) {
    ParameterSet set = setWith(4, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    set[4] = {5, 6};
    set.push_back(ramp({}));
    const ParameterSet before = set;
    const ParameterSet expanded = expandMatrix(set);
    EXPECT_EQ(set, before);
    EXPECT_EQ(expanded[9], set[9]);
    EXPECT_EQ(expanded[4], set[4]);
    EXPECT_EQ(expanded[3], set[3]);
    EXPECT_EQ(expanded[10].size(), 4u);
}

TEST(EmitterResampling, SetsThatCannotBeExpandedAreNamedAndKept) {
    const SetSource source{3, {4, 5, 6, 7, 9}};
    auto problem = [&](const ParameterSet& set) {
        Problems found;
        checkParameterSet(set, "emitterShade2.txt", source, found);
        return found.empty() ? "" : formatProblem(found.front());
    };
    EXPECT_EQ(problem(ParameterSet{{1}, {2}}),
              "emitterShade2.txt:3: parameter set of 2 rows; every set needs at least four "
              "(row 3 is its sample count)");
    EXPECT_EQ(problem(ParameterSet{{1}, {2}, {3}, {}}),
              "emitterShade2.txt:7: row 3 is empty; it must give the sample count");
    EXPECT_EQ(problem(setWith(-2, 0, {1})),
              "emitterShade2.txt:7: sample count -2; it must be 0 or more");
    EXPECT_NE(problem(setWith(std::nanf(""), 0, {1})), "");
    EXPECT_NE(problem(setWith(1e9f, 0, {1})), "");
    const ParameterSet shortCurve = setWith(4, 4, std::vector<float>(42, 1));
    EXPECT_EQ(problem(shortCurve), "emitterShade2.txt:9: curve row of 42 values; curve rows "
                                   "need at least 100");
    EXPECT_EQ(problem(setWith(4, 4, ramp({}))), "");
    EXPECT_EQ(expandMatrix(shortCurve), shortCurve);
    EXPECT_EQ(expandMatrix(ParameterSet{}), ParameterSet{});
}

TEST(EmitterFiles, ReadInOrderUntilTheFirstMissingNumber) {
    ScratchDir dir;
    dir.write("emitterShade0.txt", "# a\n1 2\n");
    dir.write("emitterShade1.txt", "# b\n3 4\n# c\n5 ");
    dir.write("emitterShade3.txt", "# never read\n6 7\n");
    InDirectory in(dir.root);
    CaptureStdout();
    const std::vector<EmitterFile> raw = readEmitterData();
    EXPECT_EQ(GetCapturedStdout(), "Processing emitterShade0.txt\nProcessing emitterShade1.txt\n");
    EXPECT_EQ(raw, (std::vector<EmitterFile>{{{{1, 2}}}, {{{3, 4}}, {{5}}}}));
}

TEST_F(GlobalTables, ExpansionRecordsProblemsAndKeepsTheSetAsRead) {
    ScratchDir dir;
    dir.write("emitterShade0.txt", "# ok\n60 \n1 \n1 \n2 \n");
    std::string curve = "1";
    for (int i = 0; i < 41; ++i)
        curve += " 1";
    dir.write("emitterShade1.txt", "1 2\n# short curve\n1 \n1 \n1 \n2 \n" + curve + "\n#\n");
    InDirectory in(dir.root);
    CaptureStdout();
    const std::vector<EmitterFile> expanded = readAndExpandEmitterData();
    EXPECT_EQ(GetCapturedStdout(),
              "Processing emitterShade0.txt\nProcessing emitterShade1.txt\n# emitters:2\n");
    ASSERT_EQ(expanded.size(), 2u);
    EXPECT_EQ(expanded[1][0][4].size(), 42u) << "kept unexpanded";
    ASSERT_EQ(emitterFileProblems.size(), 3u);
    EXPECT_EQ(emitterFileProblems[0].rfind("emitterShade1.txt:1: row before", 0), 0u);
    EXPECT_EQ(emitterFileProblems[1],
              "emitterShade1.txt:7: curve row of 42 values; curve rows need at least 100");
    EXPECT_EQ(emitterFileProblems[2].rfind("emitterShade1.txt:8: parameter set of 0 rows", 0), 0u);
}

TEST_F(GlobalTables, ShippedFilesReadAsIntended) {
    ScratchDir dir;
    for (const char* name : {"emitterShade0.txt", "emitterShade1.txt"})
        dir.write(name, textOf(std::string(ORRISK_SOURCE_DIR) + "/assets/" + name));
    InDirectory in(dir.root);
    CaptureStdout();
    emitters = readAndExpandEmitterData();
    GetCapturedStdout();
    EXPECT_TRUE(emitterFileProblems.empty()) << emitterFileProblems[0];
    ASSERT_EQ(emitters.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        ASSERT_EQ(emitters[k].size(), 1u) << "file " << k;
        const ParameterSet& set = emitters[k][0];
        ASSERT_EQ(set.size(), 12u) << "file " << k;
        EXPECT_GE(set[0][0], 60) << "layers";
        EXPECT_EQ(set[11], (std::vector<float>{static_cast<float>(k)})) << "program";
        // Rows 4, 5 and 9 carry their scale before the curve; rows 6 to 8 are bare curves.
        const size_t samples = static_cast<size_t>(set[3][0]);
        for (size_t curve : {4, 5, 6, 7, 8, 9})
            EXPECT_EQ(set[curve].size(), samples + (curve == 4 || curve == 5 || curve == 9))
                << "file " << k << " row " << curve;
    }
    shaders = {7, 8};
    EXPECT_EQ(emitterEntryProblem(0), "");
    EXPECT_EQ(emitterEntryProblem(1), "");
}

TEST_F(GlobalTables, EntryProblemsNameTheFileAndWhatIsMissing) {
    shaders = {7};
    ParameterSet shortSet = emitterSet(0);
    shortSet.resize(11);
    ParameterSet noLayers = emitterSet(0);
    noLayers[0].clear();
    emitters = {{emitterSet(0)}, {emitterSet(1)},   {}, {shortSet}, {emitterSet(2)},
                {noLayers},      {emitterSet(0.5f)}};
    EXPECT_EQ(emitterEntryProblem(0), "");
    EXPECT_EQ(emitterEntryProblem(1), "emitterShade1.txt: program index 1 names no loaded shader "
                                      "program (1 loaded); it is built from shader1.vs and "
                                      "shader1.fs");
    EXPECT_NE(emitterEntryProblem(2), "");
    EXPECT_EQ(emitterEntryProblem(3).rfind("emitterShade3.txt: set 0 has 11 rows", 0), 0u);
    EXPECT_EQ(emitterEntryProblem(4), "emitterShade4.txt: program index 2 in row 11; only 0 "
                                      "(flame) and 1 (swirl) exist");
    EXPECT_EQ(emitterEntryProblem(5), "emitterShade5.txt: set 0 row 0 (layer count) is empty");
    EXPECT_NE(emitterEntryProblem(6), "");
    EXPECT_EQ(emitterEntryProblem(7),
              "emitterShade7.txt: not found; no emitter file has that number");
}

// The refusals are the game's own lines: standard error, never standard output.
TEST_F(GlobalTables, StartUpCheckPrintsEveryProblemOnStandardErrorAndRefuses) {
    shaders = {7, 8};
    emitters = {{emitterSet(0)}};
    emitterFileProblems.clear();
    CaptureStdout();
    CaptureStderr();
    EXPECT_TRUE(particleDataUsable());
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(GetCapturedStdout(), "");

    emitters = {{emitterSet(3)}};
    emitterFileProblems = {"emitterShade0.txt line 7: curve row of 42 values"};
    shaderProblems = {"shader1.fs: missing"};
    CaptureStdout();
    CaptureStderr();
    EXPECT_FALSE(particleDataUsable());
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(), "emitterShade0.txt line 7: curve row of 42 values\n"
                                   "shader1.fs: missing\n"
                                   "emitterShade0.txt: program index 3 in row 11; only 0 (flame) "
                                   "and 1 (swirl) exist\n");

    emitters.clear();
    emitterFileProblems.clear();
    shaderProblems.clear();
    CaptureStdout();
    CaptureStderr();
    EXPECT_FALSE(particleDataUsable());
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(),
              "emitterShade0.txt: missing; the player's engine flame needs it\n");
}

TEST(EmitterWithoutProgram, KeepsTimeAndNeverIndexesOutOfRange) {
    const std::vector<unsigned int> saved = shaders;
    shaders.clear();
    CaptureStdout();
    Emitter flame(EmitterFile{emitterSet(0)});
    EXPECT_EQ(GetCapturedStdout(), "Emitter construct\nshader size: 0\n");
    EXPECT_TRUE(flame.uniformLocations.empty());
    EXPECT_EQ(flame.programIndex(), 0);
    EXPECT_EQ(flame.layerCount(), 60);
    flame.updateValue(1, 1);
    flame.update(700, {3, 4}, 90, true);
    flame.update(800, false);
    EXPECT_EQ(flame.elapsed, 1500);
    EXPECT_EQ(flame.position.x, 3);
    EXPECT_EQ(flame.angle, 90);

    CaptureStdout();
    Emitter copy = flame;
    copy.update(10, true);
    flame = copy;
    EXPECT_EQ(GetCapturedStdout(), "") << "copies print nothing";
    EXPECT_EQ(flame.elapsed, 1510);

    CaptureStdout();
    const Emitter bare{EmitterFile{}};
    const Emitter noRows{EmitterFile{ParameterSet{{}}}};
    GetCapturedStdout();
    EXPECT_EQ(bare.programIndex(), -1);
    EXPECT_EQ(bare.layerCount(), 0);
    EXPECT_EQ(noRows.programIndex(), -1);
    EXPECT_EQ(noRows.layerCount(), 0);
    shaders = saved;
}

TEST(EmitterWithoutProgram, ConstructionReseedsRandWithTheClock) {
    std::time_t before;
    int drawn;
    do {
        before = std::time(nullptr);
        CaptureStdout();
        const Emitter emitter{EmitterFile{}};
        GetCapturedStdout();
        drawn = std::rand();
    } while (std::time(nullptr) != before);
    std::srand(static_cast<unsigned>(before));
    EXPECT_EQ(std::rand(), drawn);
}
