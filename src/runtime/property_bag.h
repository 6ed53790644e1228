// The property bag in which a host keeps a user control's stored design data: values under
// keys that are found whatever their case, kept in the order they were written. A value equal
// to its default is not written, so a missing key reads as the default.
#pragma once
#include "picture.h"
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace hv::rt {

// A stored value: a 32-bit integer (colours, styles), a Boolean, a string or a picture
// (an unset picture is a null pointer).
using PropertyValue = std::variant<std::int32_t, bool, std::string, PicturePtr>;

class PropertyBag {
  public:
    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<std::string, PropertyValue>> entries);

    // The stored value, or `def` when the key is missing.
    PropertyValue ReadProperty(const std::string& key, PropertyValue def) const;
    // Stores the value unless it equals `def` (same kind and value; pictures by identity).
    void WriteProperty(const std::string& key, PropertyValue value, const PropertyValue& def);

    // Typed reads. A stored value of another kind converts as VB converts a Variant where
    // that is defined (Boolean True is -1, a number is True when not 0, decimal text to a
    // number); where it is not (a picture as a number, text that is no number), the read
    // answers the default instead of failing.
    std::int32_t ReadLong(const std::string& key, std::int32_t def) const;
    bool ReadBool(const std::string& key, bool def) const;
    std::string ReadString(const std::string& key, const std::string& def) const;
    PicturePtr ReadPicture(const std::string& key, const PicturePtr& def = nullptr) const;

    bool Contains(const std::string& key) const { return Find(key) != nullptr; }
    // The keys as they were written, in order.
    std::vector<std::string> Keys() const;
    size_t size() const { return entries_.size(); }

  private:
    const PropertyValue* Find(const std::string& key) const;
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

} // namespace hv::rt
