#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "data/table_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStandardOutput();
    return 0;
}

// Any text read with any of the column counts the game's tables use gives rows of exactly that
// width, each with the line it starts on, and never more named rows than rows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path file = fuzzDirectory() / "table.txt";
    writeFile(file, reinterpret_cast<const char*>(data), size);
    const int lines = 1 + static_cast<int>(std::count(data, data + size, '\n'));
    for (int columns : {1, 2, 5, 7, 9, 14}) {
        TableFile table;
        require(readData(file.c_str(), columns, table), "an existing file refused");
        const Table& rows = table.rows;
        const std::vector<int>& rowLines = table.rowLines;
        require(table.valueLines.size() <= rows.size() * columns, "a number without its row");
        require(rowLines.size() == rows.size(), "a row without its line");
        require(std::is_sorted(rowLines.begin(), rowLines.end()), "row lines out of order");
        for (size_t r = 0; r < rows.size(); ++r) {
            require(rows[r].size() == static_cast<size_t>(columns), "row width differs");
            require(rowLines[r] >= 1 && rowLines[r] <= lines, "row line outside the file");
        }
        require(table.names.size() <= rows.size(), "a name without a row");
    }
    return 0;
}
