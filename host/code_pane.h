// A code pane: a child window of the IDE holding one code module in an edit control, with
// the caret and selection the user sets.
#pragma once
#include <functional>
#include <string>
#include <windows.h>

namespace host {

class CodePane {
  public:
    // A pane in the IDE's MDI client, of the IDE's window class for code windows; `path` may
    // be empty for a new module.
    CodePane(HWND mdiClient, const wchar_t* windowClass, const std::wstring& name,
             const std::wstring& path, const std::wstring& text);
    ~CodePane();
    CodePane(const CodePane&) = delete;
    CodePane& operator=(const CodePane&) = delete;

    HWND window() const { return window_; }
    HWND edit() const { return edit_; }
    const std::wstring& name() const { return name_; }
    const std::wstring& path() const { return path_; }
    std::function<void(CodePane*)> OnClosed;

    // The module's lines: 1-based, an empty module has one empty line.
    long CountOfLines() const;
    std::wstring Line(long line) const;
    void ReplaceLine(long line, const std::wstring& code);
    std::wstring Text() const;
    // Start and end of the caret or selection, as lines and columns from 1.
    void GetSelection(long* startLine, long* startColumn, long* endLine, long* endColumn) const;
    // Brings the pane to the front and gives it the focus.
    void Show();

    // Reads a .bas file: its text and the module name from its VB_Name attribute.
    static bool ReadModule(const std::wstring& path, std::wstring* name, std::wstring* text);
    // Writes the module back with its VB_Name attribute; to `path` if given.
    bool Save(const std::wstring& path = L"");

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND mdi_;
    HWND window_ = nullptr, edit_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring name_, path_;
};

} // namespace host
