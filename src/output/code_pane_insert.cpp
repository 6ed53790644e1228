#include "code_pane_insert.h"
#include "code_pane_line.h"

namespace hv::output {

InsertResult InsertIntoCodePane(const std::function<std::string()>& text) {
    CaretLine caret;
    if (const auto state = caret.Read(); state != CaretLine::State::Read)
        return state == CaretLine::State::NoPane ? InsertResult::NoPane : InsertResult::Unchanged;
    return caret.Write(caret.text + Widen(text())) ? InsertResult::Inserted : InsertResult::Unchanged;
}

} // namespace hv::output
