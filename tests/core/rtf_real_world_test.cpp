// Files written by other programs: the shared corpus (read in place, never copied here) and
// the fixtures made once with LibreOffice, pandoc and AbiWord (tests/fixtures/rtf/README.md).
#include "core/rtf.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace calc {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(TIRELIX_SHARED_TESTDATA) / "rtf";
const fs::path kFixtures = fs::path(TIRELIX_FIXTURES) / "rtf";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> RtfFilesIn(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() == ".rtf")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class OtherWritersRtf : public ::testing::TestWithParam<fs::path> {};

TEST_P(OtherWritersRtf, ExtractsExpectedText) {
    fs::path expectedPath = GetParam();
    expectedPath.replace_extension(".expected.txt");
    ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath;
    const std::string expected = Slurp(expectedPath);

    const RtfReadResult r = ReadRtf(Slurp(GetParam()));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.text, expected);
    // And the same text survives a save and load of our own.
    EXPECT_EQ(ReadRtf(WriteRtf(expected)).text, expected);
}

// A file cut anywhere (a failed copy, a full disk) still loads what it holds.
TEST_P(OtherWritersRtf, CutOffCopiesStaySafe) {
    const std::string bytes = Slurp(GetParam());
    const std::size_t start = bytes.find("{\\rtf");
    ASSERT_NE(start, std::string::npos);
    for (std::size_t cut = start + 6; cut < bytes.size(); cut += 41) {
        const RtfReadResult r = ReadRtf(std::string_view(bytes).substr(0, cut));
        ASSERT_TRUE(r.ok) << cut << ": " << r.error;
        ASSERT_LE(r.text.size(), 3 * cut) << cut;
    }
}

std::string FileTestName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, OtherWritersRtf, ::testing::ValuesIn(RtfFilesIn(kCorpus)),
                         FileTestName);
INSTANTIATE_TEST_SUITE_P(Fixtures, OtherWritersRtf, ::testing::ValuesIn(RtfFilesIn(kFixtures)),
                         FileTestName);

// The shared corpus may be missing on a machine of its own; the fixtures never are.
TEST(OtherWritersRtfFiles, AreThere) {
    EXPECT_GE(RtfFilesIn(kFixtures).size(), 4u);
    if (fs::is_directory(kCorpus)) {
        EXPECT_GE(RtfFilesIn(kCorpus).size(), 22u);
    }
}

} // namespace
} // namespace calc
