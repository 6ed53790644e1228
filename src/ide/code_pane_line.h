// The caret's line in the IDE's active code pane: read once, written back whole.
#pragma once
#include "../runtime/com_ptr.h"
#include <optional>
#include <functional>
#include <string>

namespace hv::output {

class CaretLine {
  public:
    enum class State { Read, NoPane, Unreadable }; // NoPane: none in view, the user was told

    // `vbe`: the IDE's root object of the connection the command comes from; null when it is
    // not connected.
    explicit CaretLine(IDispatch* vbe) : vbe_(vbe) {}

    // Asks the IDE for the active pane (once, for the whole command), the caret's place, the
    // pane's module and the caret's line. Without a pane the user is told "No code pane
    // selected", and with one hidden behind another code window or a designer that it is;
    // without the line nothing may be written. The line just past the module's end (line 1
    // of an empty module) reads as empty.
    State Read();
    // Replaces the line read with `text` (or adds it, past the end), puts the caret before the
    // column `caretColumn` gives for the line as the editor shows it now, and shows the pane;
    // false if the IDE refused the text (a refusal for the project's state is told).
    bool Write(const std::wstring& text, const std::function<long(const std::wstring&)>& caretColumn);
    // Another line of the same module (from 1), after Read; nothing past the end or refused.
    std::optional<std::wstring> Other(long n);
    bool ReplaceOther(long n, const std::wstring& text);

    long line = 0;   // from 1
    long column = 0; // from 1: the caret sits before this character
    std::wstring text;

  private:
    IDispatch* vbe_;
    rt::ComPtr<IDispatch> pane_, module_;
    bool pastEnd_ = false;
};

// A text of ours in the code pane's characters.
std::wstring Widen(const std::string& s);

// Tells the user something about the code pane, titled with the add-in's name.
void TellAboutCode(const wchar_t* message);

} // namespace hv::output
