// Each source folder may include only folders of its own rank or below, so
// that the platform pieces never depend on features and features never on
// the application shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

/// The folder of a line's project include ("folder/file.h"), or empty.
std::string includedFolder(std::string line)
{
    std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
    if (!line.starts_with("#include\""))
        return {};
    const std::size_t slash = line.find('/');
    return slash < line.find('"', 9) ? line.substr(9, slash - 9) : std::string();
}

const std::map<std::string, int> kRank = {
    {"bytemodel", 0}, {"listing", 0}, {"docview", 0}, {"serialdevice", 0}, {"settings", 0},
    {"safewrite", 0}, {"prompt", 0},  {"res", 0},     {"workers", 0},     {"byteops", 1},      {"utilities", 2},
    {"marking", 2},   {"serial", 3},  {"hexdoc", 4},  {"compare", 5},      {"companel", 5}, {"app", 6},
};

TEST(Layering, NoFolderIncludesAHigherOneAndEveryFolderHasARank)
{
    const fs::path root(VELLMAR_SOURCE_DIR);
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        const bool source = entry.is_directory() && fs::exists(entry.path() / "CMakeLists.txt");
        EXPECT_TRUE(!source || name == "tests" || name == "bench" || kRank.count(name)) << name << " has no rank";
    }
    int filesRead = 0;
    for (const auto& [folder, rank] : kRank) {
        if (!fs::exists(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            ++filesRead;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::string included = includedFolder(line);
                if (included.empty())
                    continue;
                const auto target = kRank.find(included);
                ASSERT_NE(target, kRank.end()) << entry.path() << ':' << number << " includes an unknown folder";
                EXPECT_LE(target->second, rank) << entry.path() << ':' << number << " includes " << included;
            }
        }
    }
    EXPECT_GT(filesRead, 50);
}

}  // namespace
