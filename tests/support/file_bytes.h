// Whole files as bytes, for tests that compare what is on disk before and after.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace bb::test {

using Bytes = std::vector<std::uint8_t>;

// A missing file, or a folder, reads as no bytes.
inline Bytes readBytes(const std::filesystem::path& p)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec))
        return {};
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Replaces the file's content (a test's fixture, not a program write).
inline void writeBytes(const std::filesystem::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

} // namespace bb::test
