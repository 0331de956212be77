#include "interchange/compress.h"
#include "interchange/file_bytes.h"
#include "interchange/zr_json_var.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string text(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>('a' + (i * 7) % 13);
    return s;
}

const unsigned char* bytes(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(MemZip, ZlibFormatRoundTripWithinCapacity)
{
    const std::string input = text(5000);
    std::vector<unsigned char> packed(6000);
    std::int32_t packedLength = 6000;
    ASSERT_EQ(MemZip(bytes(input), 5000, packed.data(), &packedLength), 1);
    // It is plain zlib: zlib's own uncompress reads it.
    std::string check(5000, '\0');
    uLongf checkLength = 5000;
    ASSERT_EQ(::uncompress(reinterpret_cast<Bytef*>(check.data()), &checkLength, packed.data(),
                           static_cast<uLong>(packedLength)),
              Z_OK);
    EXPECT_EQ(check, input);

    std::vector<unsigned char> out(5000);
    std::int32_t outLength = 5000;
    ASSERT_EQ(ZRJsonVar::NETUnZip(packed.data(), packedLength, out.data(), &outLength), 1);
    EXPECT_EQ(std::string(out.begin(), out.end()), input);
    // One byte too little room, a cut stream and garbage all fail.
    outLength = 4999;
    EXPECT_EQ(MemUnZip(packed.data(), packedLength, out.data(), &outLength), 0);
    outLength = 5000;
    EXPECT_EQ(MemUnZip(packed.data(), packedLength - 1, out.data(), &outLength), 0);
    outLength = 5000;
    EXPECT_EQ(MemUnZip(bytes("not zlib"), 8, out.data(), &outLength), 0);
    std::int32_t tiny = 4;
    EXPECT_EQ(MemZip(bytes(input), 5000, packed.data(), &tiny), 0);
    EXPECT_EQ(MemZip(nullptr, 1, packed.data(), &tiny), 0);
}

TEST(MemZip, InflateLimitStopsABomb)
{
    const std::string zeros(1 << 20, '\0');
    const auto packed = jolvane::compress(zeros);
    ASSERT_TRUE(packed);
    EXPECT_LT(packed->size(), 2000u);
    EXPECT_FALSE(jolvane::uncompress(*packed, 12 * packed->size()));
    EXPECT_EQ(jolvane::uncompress(*packed, zeros.size()), zeros);
}

TEST(NetCompress, EncryptedWholeBlocksRoundTrip)
{
    const std::string input = text(777);
    std::vector<unsigned char> sealed(2000);
    std::int32_t sealedLength = 2000;
    ASSERT_EQ(ZRJsonVar::NETCompress(bytes(input), 777, sealed.data(), &sealedLength), 1);
    EXPECT_EQ(sealedLength % 8, 0);
    std::vector<unsigned char> out(777);
    std::int32_t outLength = 777;
    ASSERT_EQ(ZRJsonVar::NETUnCompress(sealed.data(), sealedLength, out.data(), &outLength), 1);
    EXPECT_EQ(std::string(out.begin(), out.end()), input);
    // Without the key it is not zlib, and not whole blocks is refused.
    outLength = 777;
    EXPECT_EQ(MemUnZip(sealed.data(), sealedLength, out.data(), &outLength), 0);
    EXPECT_EQ(ZRJsonVar::NETUnCompress(sealed.data(), sealedLength - 1, out.data(), &outLength), 0);
}

TEST(ZipDir, FolderRoundTripAndClimbingEntriesRefused)
{
    const fs::path base = fs::temp_directory_path() / "jolvane_zip_test";
    fs::remove_all(base);
    fs::create_directories(base / "in" / "sub");
    std::ofstream(base / "in" / "a.txt") << "alpha";
    std::ofstream(base / "in" / "sub" / "b.bin") << std::string("b\0b", 3);
    const std::string zip = (base / "out.zip").string();
    ASSERT_EQ(ZipDir((base / "in").c_str(), zip.c_str()), 1);
    ASSERT_EQ(UnZipFile(zip.c_str(), (base / "back").c_str()), 1);
    EXPECT_EQ(readFile(base / "back" / "a.txt"), "alpha");
    EXPECT_EQ(readFile(base / "back" / "sub" / "b.bin"), std::string("b\0b", 3));
    EXPECT_EQ(ZipDir((base / "missing").c_str(), zip.c_str()), 0);
    EXPECT_EQ(UnZipFile((base / "missing.zip").c_str(), (base / "x").c_str()), 0);

    // An archive whose entry climbs out of the target folder writes nothing.
    fs::create_directories(base / "evil");
    std::ofstream(base / "evil" / "x") << "x";
    const std::string evil = (base / "evil.zip").string();
    ASSERT_EQ(ZipDir((base / "evil").c_str(), evil.c_str()), 1);
    int error = 0;
    zip_t* archive = zip_open(evil.c_str(), 0, &error);
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(zip_file_rename(archive, 0, "../escaped", 0), 0);
    ASSERT_EQ(zip_close(archive), 0);
    EXPECT_EQ(UnZipFile(evil.c_str(), (base / "target").c_str()), 0);
    EXPECT_FALSE(fs::exists(base / "escaped"));
    EXPECT_FALSE(fs::exists(base / "target"));
    fs::remove_all(base);
}

TEST(ZipDir, AFailedWriteLeavesTheOldZipAndTheOldFilesWhole)
{
    const fs::path base = fs::temp_directory_path() / "jolvane_zip_fault_test";
    fs::remove_all(base);
    fs::create_directories(base / "in");
    std::ofstream(base / "in" / "a.txt") << text(5000);
    const std::string zip = (base / "out.zip").string();
    ASSERT_EQ(ZipDir((base / "in").c_str(), zip.c_str()), 1);
    const std::string oldZip = readFile(zip);
    ASSERT_EQ(UnZipFile(zip.c_str(), (base / "back").c_str()), 1);

    // New contents, then a disk that fills after a few bytes.
    std::ofstream(base / "in" / "a.txt") << text(9000);
    std::ofstream(base / "in" / "more.txt") << "more";
    brenmark::injectWriteFault(10);
    EXPECT_EQ(ZipDir((base / "in").c_str(), zip.c_str()), 0);
    brenmark::injectWriteFault(-1);
    EXPECT_EQ(readFile(zip), oldZip);

    ASSERT_EQ(ZipDir((base / "in").c_str(), zip.c_str()), 1);
    brenmark::injectWriteFault(10);
    EXPECT_EQ(UnZipFile(zip.c_str(), (base / "back").c_str()), 0);
    brenmark::injectWriteFault(-1);
    EXPECT_EQ(readFile(base / "back" / "a.txt"), text(5000));
    // An entry that came before the failure is whole; no temporary is left beside them.
    for (const auto& e : fs::directory_iterator(base / "back")) {
        const std::string name = e.path().filename().string();
        EXPECT_TRUE(name == "a.txt" || name == "more.txt") << name;
    }
    if (fs::exists(base / "back" / "more.txt")) {
        EXPECT_EQ(readFile(base / "back" / "more.txt"), "more");
    }
    fs::remove_all(base);
}
