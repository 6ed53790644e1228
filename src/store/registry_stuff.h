// The favourites' registry access: make sure a key exists, write a string value, read one
// with a default.
#pragma once
#include "../runtime/handles.h"
#include <string>
#include <windows.h>

namespace hv::colour {

// Creates the key if it is missing (and the process may create it).
void CreateRegKey(HKEY root, const std::string& path);
bool RegKeyExists(HKEY root, const std::string& path);
// Writes `text` as REG_SZ without a terminator and flushes it. Never creates the key.
// False when the key is not there or refuses the write.
bool SetRegValue(HKEY root, const std::string& path, const std::string& name,
                 const std::string& text);
// The stored text (up to its first zero byte), or `fallback` when the key, the value, or a
// string value of at most 128 characters is not there.
std::string GetRegValue(HKEY root, const std::string& path, const std::string& name,
                        const std::string& fallback);

// A key opened for reading once, for several of its values (GetRegValue's answers): each
// opening is a trip to the registry's server. A missing key reads as all fallbacks.
class RegReader {
  public:
    RegReader(HKEY root, const std::string& path);
    std::string Get(const std::string& name, const std::string& fallback) const;
    // When the key or a value of it was last written (RegQueryInfoKey); zero for a missing key.
    FILETIME LastWrite() const;

  private:
    rt::UniqueKey key_;
};

} // namespace hv::colour
