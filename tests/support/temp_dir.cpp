#include "temp_dir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace bb::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "benchboss-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace bb::test
