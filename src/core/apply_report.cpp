#include "apply_report.h"

namespace hv {

namespace {

// "Label1, Text1 and Command1".
std::wstring Names(const std::vector<std::wstring>& names) {
    std::wstring out;
    for (size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? L"" : i + 1 == names.size() ? L" and " : L", ") + names[i];
    return out;
}

// One line for each reason, with the controls that gave it: a locked project refuses every
// control the same way, and its reason is told once.
std::wstring Refusals(const std::wstring& lead, const std::vector<Refusal>& refused) {
    std::wstring out;
    std::vector<bool> told(refused.size());
    for (size_t i = 0; i < refused.size(); ++i) {
        if (told[i]) continue;
        std::vector<std::wstring> names;
        for (size_t k = i; k < refused.size(); ++k)
            if (!told[k] && refused[k].second == refused[i].second) {
                names.push_back(refused[k].first);
                told[k] = true;
            }
        out += L"\r\n" + lead + Names(names) + L": " + refused[i].second;
    }
    return out;
}

// A count in decimal (std::to_wstring would bring in the C library's wide printf).
std::wstring Decimal(long n) {
    std::wstring digits;
    unsigned long v = n < 0 ? 0ul - static_cast<unsigned long>(n) : static_cast<unsigned long>(n);
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + v % 10));
        v /= 10;
    } while (v);
    return n < 0 ? L"-" + digits : digits;
}

std::wstring Trimmed(const std::wstring& text) {
    return text.empty() ? text : text.substr(2); // the first line's break
}

} // namespace

std::wstring ApplyReport(const ApplyOutcome& o) {
    std::wstring out;
    if (o.lacking)
        out += L"\r\nSelected controls without " + o.property +
               L", left as they were: " + Decimal(o.lacking) + L".";
    if (!o.refused.empty()) {
        out += Refusals(o.property + L" could not be set on ", o.refused);
        out += o.changed.empty() ? L"\r\nNo control was changed."
                                 : L"\r\nIt was set on " + Names(o.changed) + L".";
    }
    return Trimmed(out);
}

std::wstring UndoReport(const UndoOutcome& o) {
    std::wstring out;
    if (!o.gone.empty()) out += L"\r\nDeleted since the apply: " + Names(o.gone) + L".";
    if (!o.movedOn.empty())
        out += L"\r\nChanged since the apply, left as they are: " + Names(o.movedOn) + L".";
    out += Refusals(o.property + L" could not be put back on ", o.refused);
    if (!out.empty())
        out += o.restored.empty() ? L"\r\nNo control was put back."
                                  : L"\r\nPut back on " + Names(o.restored) + L".";
    return Trimmed(out);
}

} // namespace hv
