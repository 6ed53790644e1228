#include "property_bag.h"
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace hv::rt {

namespace {

bool SameKey(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Whole decimal text (blanks around allowed) within the 32-bit range: the bag's numbers are
// its own decimal writes, so it takes none of the forms ParseVbLong also reads.
bool ParseWholeDecimal(const std::string& text, std::int32_t& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

} // namespace

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, PropertyValue>> entries)
    : entries_(entries) {}

const PropertyValue* PropertyBag::Find(const std::string& key) const {
    for (const auto& [k, v] : entries_)
        if (SameKey(k, key)) return &v;
    return nullptr;
}

PropertyValue PropertyBag::ReadProperty(const std::string& key, PropertyValue def) const {
    const PropertyValue* v = Find(key);
    return v ? *v : def;
}

void PropertyBag::WriteProperty(const std::string& key, PropertyValue value,
                                const PropertyValue& def) {
    // Writing again replaces what a key held, also when the new value is the default.
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (SameKey(it->first, key)) {
            entries_.erase(it);
            break;
        }
    if (value == def) return;
    entries_.emplace_back(key, std::move(value));
}

std::int32_t PropertyBag::ReadLong(const std::string& key, std::int32_t def) const {
    const PropertyValue* v = Find(key);
    if (!v) return def;
    if (auto* i = std::get_if<std::int32_t>(v)) return *i;
    if (auto* b = std::get_if<bool>(v)) return *b ? -1 : 0;
    std::int32_t parsed = 0;
    if (auto* s = std::get_if<std::string>(v); s && ParseWholeDecimal(*s, parsed)) return parsed;
    return def;
}

bool PropertyBag::ReadBool(const std::string& key, bool def) const {
    const PropertyValue* v = Find(key);
    if (!v) return def;
    if (auto* b = std::get_if<bool>(v)) return *b;
    if (auto* i = std::get_if<std::int32_t>(v)) return *i != 0;
    if (auto* s = std::get_if<std::string>(v)) {
        if (SameKey(*s, "True")) return true;
        if (SameKey(*s, "False")) return false;
        std::int32_t parsed = 0;
        if (ParseWholeDecimal(*s, parsed)) return parsed != 0;
    }
    return def;
}

std::string PropertyBag::ReadString(const std::string& key, const std::string& def) const {
    const PropertyValue* v = Find(key);
    if (!v) return def;
    if (auto* s = std::get_if<std::string>(v)) return *s;
    if (auto* i = std::get_if<std::int32_t>(v)) return std::to_string(*i);
    if (auto* b = std::get_if<bool>(v)) return *b ? "True" : "False";
    return def;
}

PicturePtr PropertyBag::ReadPicture(const std::string& key, const PicturePtr& def) const {
    const PropertyValue* v = Find(key);
    if (!v) return def;
    if (auto* p = std::get_if<PicturePtr>(v)) return *p;
    return def;
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& e : entries_)
        keys.push_back(e.first);
    return keys;
}

} // namespace hv::rt
