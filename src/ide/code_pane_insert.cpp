#include "code_pane_insert.h"
#include "code_pane_line.h"

namespace hv::output {

InsertResult InsertIntoCodePane(IDispatch* vbe, const std::function<std::string()>& text) {
    CaretLine caret(vbe);
    if (const auto state = caret.Read(); state != CaretLine::State::Read)
        return state == CaretLine::State::NoPane ? InsertResult::NoPane : InsertResult::Unchanged;
    const std::wstring line = caret.text + Widen(text());
    return caret.Write(line, static_cast<long>(line.size()) + 1) ? InsertResult::Inserted
                                                                 : InsertResult::Unchanged;
}

} // namespace hv::output
