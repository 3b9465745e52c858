#include "registry.h"

#include <cctype>

namespace bb::sysinfo {

namespace {

std::string folded(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

void RegistryStore::addKey(std::uint32_t root, const std::string& key)
{
    keys_[{root, folded(key)}];
}

void RegistryStore::setValue(std::uint32_t root, const std::string& key, const std::string& name,
                             RegValue value)
{
    keys_[{root, folded(key)}][folded(name)] = std::move(value);
}

void RegistryStore::setString(std::uint32_t root, const std::string& key, const std::string& name,
                              const std::string& text)
{
    RegValue v{RegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    v.data.push_back(0);
    setValue(root, key, name, std::move(v));
}

void RegistryStore::setDword(std::uint32_t root, const std::string& key, const std::string& name,
                             std::uint32_t value)
{
    RegValue v{RegDword, {}};
    for (int i = 0; i < 4; ++i)
        v.data.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    setValue(root, key, name, std::move(v));
}

bool RegistryStore::hasKey(std::uint32_t root, const std::string& key) const
{
    return keys_.count({root, folded(key)}) != 0;
}

const RegValue* RegistryStore::value(std::uint32_t root, const std::string& key,
                                     const std::string& name) const
{
    const auto k = keys_.find({root, folded(key)});
    if (k == keys_.end())
        return nullptr;
    const auto v = k->second.find(folded(name));
    return v == k->second.end() ? nullptr : &v->second;
}

bool GetKeyValue(const RegistryStore& store, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    const RegValue* v = store.hasKey(KeyRoot, KeyName) ? store.value(KeyRoot, KeyName, SubKeyRef) : nullptr;
    // A value with no data at all cannot lose its final byte: it fails like a missing one.
    if (!v || v->data.empty() || v->data.size() > ValueBufferSize) {
        KeyVal.clear();
        return false;
    }
    std::size_t size = v->data.size();
    if (v->data[size - 1] == 0)
        --size;

    if (v->type == RegSz) {
        KeyVal.assign(v->data.begin(), v->data.begin() + static_cast<std::ptrdiff_t>(size));
    } else if (v->type == RegDword) {
        static constexpr char digits[] = "0123456789ABCDEF";
        std::string text = "&h";
        for (std::size_t i = size; i-- > 0;) {
            const std::uint8_t b = v->data[i];
            if (b >= 16)
                text += digits[b >> 4];
            text += digits[b & 0x0F];
        }
        KeyVal = text;
    }
    return true;
}

} // namespace bb::sysinfo
