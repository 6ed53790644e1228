#include "faults.h"
#include <cwctype>

namespace host {

std::wstring FaultPlan::Key(std::wstring s) {
    for (auto& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool FaultPlan::Parse(const std::wstring& list) {
    bool ok = true;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L',', start);
        if (end == std::wstring::npos) end = list.size();
        std::wstring part = list.substr(start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        FaultKind kind = FaultKind::Error;
        const size_t eq = part.find(L'=');
        if (eq != std::wstring::npos) {
            const std::wstring k = Key(part.substr(eq + 1));
            part.resize(eq);
            if (k == L"error")
                kind = FaultKind::Error;
            else if (k == L"bare")
                kind = FaultKind::Bare;
            else if (k == L"empty")
                kind = FaultKind::Empty;
            else if (k == L"nothing")
                kind = FaultKind::Nothing;
            else if (k == L"text")
                kind = FaultKind::Text;
            else {
                ok = false;
                continue;
            }
        }
        Set(part, kind);
    }
    return ok;
}

std::optional<FaultKind> FaultPlan::For(const wchar_t* objectName, const wchar_t* member) const {
    if (faults_.empty()) return std::nullopt;
    auto it = faults_.find(Key(std::wstring(objectName) + L"." + member));
    if (it == faults_.end()) it = faults_.find(Key(member));
    if (it == faults_.end()) return std::nullopt;
    return it->second;
}

} // namespace host
