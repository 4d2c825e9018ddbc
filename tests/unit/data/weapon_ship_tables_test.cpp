#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "data/weapon_ship_tables.h"
#include "scratch_dir.h"

namespace {

struct LoadResult {
    bool ok;
    std::string output; // standard output: the written lines
    std::string errors; // standard error: the lines naming what is refused
};

// Loads one of the two tables from a scratch directory holding `text` under `fileName`
// (or no file at all when text is null).
LoadResult load(bool (*initialize)(), Table& table, const char* fileName, const char* text) {
    ScratchDir dir;
    if (text)
        dir.write(fileName, text);
    InDirectory in(dir.root);
    table.clear();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool ok = initialize();
    const std::string errors = testing::internal::GetCapturedStderr();
    return LoadResult{ok, testing::internal::GetCapturedStdout(), errors};
}

LoadResult loadWeapons(const char* text) {
    return load(initializeWeaponArray, WEAPONDATA, "weapondata.txt", text);
}

LoadResult loadShips(const char* text) {
    return load(initializeShipArray, SHIPDATA, "shipdata.txt", text);
}

std::string shippedTable(const char* name) {
    std::ifstream in(std::filesystem::path(ORRISK_SOURCE_DIR) / "assets" / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(WeaponShipTables, MissingFileFailsWithTheReadersLine) {
    LoadResult r = loadWeapons(nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.output, "loading weapondata.txt\nError opening file\n");
    EXPECT_EQ(r.errors, "weapondata.txt: cannot be opened\n");
    EXPECT_TRUE(WEAPONDATA.empty());

    r = loadShips(nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.output, "loading shipdata.txt\nError opening file\n");
    EXPECT_EQ(r.errors, "shipdata.txt: cannot be opened\n");
}

TEST(WeaponShipTables, RowsReadWithTheirColumnCounts) {
    LoadResult r =
        loadWeapons("# reload speed life damage\n100 2 500 5\n0 0 0 0.5\n300 1 -1 0.2\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.output, "loading weapondata.txt\nOpening weapondata.txt\n");
    ASSERT_EQ(WEAPONDATA.size(), 3u);
    EXPECT_EQ(WEAPONDATA[2], (std::vector<float>{300, 1, -1, 0.2f}));

    // Ten numbers make two ship rows of five, not three of four.
    r = loadShips("1 0.01 0.5 30 10 2 0.02 0.7 20 5");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(SHIPDATA.size(), 2u);
    EXPECT_EQ(SHIPDATA[1], (std::vector<float>{2, 0.02f, 0.7f, 20, 5}));
}

TEST(WeaponShipTables, TooFewRowsAreRefusedNamingTheFile) {
    LoadResult r = loadWeapons("100 2 500 5\n0 0 0 0.5\n");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.errors.find("weapondata.txt: 2 rows found, 3 needed"), std::string::npos)
        << r.errors;

    r = loadShips("# only the unused row\n0 0 0 10 10\n");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.errors.find("shipdata.txt: 1 rows found, 2 needed"), std::string::npos) << r.errors;

    // A partial last row is padded with zeros and counts as a row.
    EXPECT_TRUE(loadShips("0 0 0 10 10 1 0.01").ok);
    EXPECT_EQ(SHIPDATA[1], (std::vector<float>{1, 0.01f, 0, 0, 0}));
}

TEST(WeaponShipTables, NonFiniteNumbersAreRefused) {
    LoadResult r = loadWeapons("100 2 500 5\n0 0 0 nan\n300 1 -1 0.2\n");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.errors.find("weapondata.txt:2: row 1 column 3 (damage) is not a finite number"),
              std::string::npos)
        << r.errors;

    r = loadShips("0 0 0 10 10 1 0.01 nan 30 10");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.errors.find("shipdata.txt:1: row 1 column 2 (top speed) is not a finite number"),
              std::string::npos)
        << r.errors;
}

TEST(WeaponShipTables, ShippedTablesArePlayable) {
    ASSERT_TRUE(loadWeapons(shippedTable("weapondata.txt").c_str()).ok);
    for (int weapon : {0, 2}) {
        EXPECT_GT(WEAPONDATA[weapon][0], 0) << "weapon " << weapon << " must reload";
        EXPECT_GT(WEAPONDATA[weapon][1], 0) << "weapon " << weapon << " must fly";
        EXPECT_GE(WEAPONDATA[weapon][2], 1) << "weapon " << weapon << " must live";
    }
    for (int weapon : {0, 1, 2})
        EXPECT_GT(WEAPONDATA[weapon][3], 0) << "weapon " << weapon << " must hurt";

    ASSERT_TRUE(loadShips(shippedTable("shipdata.txt").c_str()).ok);
    const std::vector<float>& spawned = SHIPDATA[1];
    EXPECT_EQ(static_cast<int>(spawned[0]), 1) << "the spawned enemy chases";
    // The player gains 1.5 units/ms in a second of thrust: the chaser must be slower.
    EXPECT_GE(spawned[2], 0);
    EXPECT_LT(spawned[2], 1.5f);
    EXPECT_GT(spawned[3], 0);
    // A bullet must outpace a chasing enemy to hit it from the front or the back.
    EXPECT_GT(WEAPONDATA[0][1], spawned[2]);
}
