#include "code_pane_insert.h"
#include "code_pane_line.h"

namespace hv::output {

InsertResult InsertIntoCodePane(IDispatch* vbe, const std::function<std::string()>& text) {
    CaretLine caret(vbe);
    if (const auto state = caret.Read(); state != CaretLine::State::Read)
        return state == CaretLine::State::NoPane ? InsertResult::NoPane : InsertResult::Unchanged;
    const std::wstring line = caret.text + Widen(text());
    const auto atTheEnd = [](const std::wstring& shown) { return static_cast<long>(shown.size()) + 1; };
    return caret.Write(line, atTheEnd) ? InsertResult::Inserted : InsertResult::Unchanged;
}

} // namespace hv::output
