#include <gtest/gtest.h>

#include <fstream>

#include "data/table_reader.h"
#include "scratch_dir.h"

namespace {

Table readText(const std::string& text, int columns, NameTable* names = nullptr) {
    ScratchDir dir;
    dir.write("table.txt", text);
    Table rows;
    NameTable ignored;
    EXPECT_TRUE(readData(dir.path("table.txt").c_str(), columns, rows, names ? *names : ignored));
    return rows;
}

} // namespace

TEST(TableReader, FillsRowsAndPadsThePartialLastRow) {
    const Table rows = readText("1 2 3 4 5 6 7\n", 5);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<float>{1, 2, 3, 4, 5}));
    EXPECT_EQ(rows[1], (std::vector<float>{6, 7, 0, 0, 0}));
}

TEST(TableReader, EmptyOrCommentOnlyFileAddsNoRows) {
    EXPECT_TRUE(readText("", 4).empty());
    EXPECT_TRUE(readText("# 1 2 3\n   # another 4 5 6 7 8\n", 4).empty());
}

TEST(TableReader, CommentRunsToTheEndOfItsLineOnly) {
    const Table rows = readText("1 2 # 9 9 9\n3 4\n", 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<float>{3, 4}));
}

TEST(TableReader, NumbersUseTheirLeadingNumericPart) {
    const Table rows = readText("7.5xyz abc -2e1 1a#b", 4);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<float>{7.5f, 0, -20, 1}));
}

TEST(TableReader, NamesAttachToTheLastCompleteRow) {
    NameTable names;
    readText("1 2 3 4 @Heavy_Gun 5 6 7 8 9", 4, &names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], (std::vector<std::string>{"Heavy Gun"}));

    names.clear();
    readText("1 2 3 4 5 @X", 4, &names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], (std::vector<std::string>{"X"}));

    names.clear();
    readText("1 2 3 4 5 6 7 8 @B @C", 4, &names);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(names[0].empty());
    EXPECT_EQ(names[1], (std::vector<std::string>{"B", "C"}));
}

TEST(TableReader, LoneAtAndHashInsideANameAreKept) {
    NameTable names;
    readText("1 @ @a#b 2", 1, &names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], (std::vector<std::string>{"", "a#b"}));
}

TEST(TableReader, NameBeforeAnyCompleteRowIsIgnored) {
    NameTable names;
    const Table rows = readText("@Early 1 2", 2, &names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(rows.size(), 1u);
}

TEST(TableReader, AppendsToAnExistingTable) {
    ScratchDir dir;
    dir.write("t.txt", "5 6");
    Table rows{{1, 2}};
    ASSERT_TRUE(readData(dir.path("t.txt").c_str(), 2, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<float>{5, 6}));
}

TEST(TableReader, MissingFileLeavesTablesAlone) {
    Table rows{{1}};
    NameTable names{{"a"}};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readData("/nonexistent/orrisk/table.txt", 1, rows, names));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error opening file\n");
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(names.size(), 1u);
}
