// A small key store in the shape of the system registry, which this platform does not have.
// The About box looks up the system information tool in it; tests fill it, the program's is empty.
// No Qt here.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bb::sysinfo {

// Root key handles, as 32-bit values.
inline constexpr std::uint32_t HKeyLocalMachine = 0x80000002u;

// Value types.
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegDword = 4;

// The largest value data a lookup accepts, in bytes.
inline constexpr std::size_t ValueBufferSize = 1024;

struct RegValue {
    std::uint32_t type = RegSz;
    std::vector<std::uint8_t> data;
};

// Key paths and value names match without regard to ASCII case, as the system's do.
class RegistryStore {
  public:
    void addKey(std::uint32_t root, const std::string& key);
    void setValue(std::uint32_t root, const std::string& key, const std::string& name, RegValue value);
    // 8-bit text stored with its terminating NUL, as the system stores text values.
    void setString(std::uint32_t root, const std::string& key, const std::string& name,
                   const std::string& text);
    // Four bytes, least significant first.
    void setDword(std::uint32_t root, const std::string& key, const std::string& name, std::uint32_t value);

    bool hasKey(std::uint32_t root, const std::string& key) const;
    // Nothing when the key or the value is missing.
    const RegValue* value(std::uint32_t root, const std::string& key, const std::string& name) const;

  private:
    using Values = std::map<std::string, RegValue>;
    std::map<std::pair<std::uint32_t, std::string>, Values> keys_;
};

// Reads one value of key KeyName under KeyRoot as text into KeyVal. A text value gives its text
// without the final NUL; a DWORD gives "&h" and its bytes from last to first, each in hexadecimal
// without a leading zero; another type leaves KeyVal as it was. A missing key or value, empty data
// or data beyond the lookup buffer give false and an empty KeyVal.
bool GetKeyValue(const RegistryStore& store, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

} // namespace bb::sysinfo
