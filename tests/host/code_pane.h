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
    std::function<void(CodePane*)> OnActivated;

    // The module's lines: 1-based; an empty module has none.
    long CountOfLines() const;
    std::wstring Line(long line) const;
    // As the real editors do, an edit through the object model leaves the caret at the start
    // of the (first) line it wrote, whatever the user had selected, and each line written
    // reads back as the editor shows it (AsTheEditorShows).
    void ReplaceLine(long line, const std::wstring& code);
    // Before `line` (1 to CountOfLines + 1); `code` may hold several lines.
    void InsertLines(long line, const std::wstring& code);
    // Before the module's first procedure, or at its end when it has none.
    void AddFromString(const std::wstring& code);
    std::wstring Text() const;
    // Start and end of the caret or selection, as lines and columns from 1.
    void GetSelection(long* startLine, long* startColumn, long* endLine, long* endColumn) const;
    // False, and nothing changed, for a place outside the module's text.
    bool SetSelection(long startLine, long startColumn, long endLine, long endColumn);
    // Brings the pane to the front and gives it the focus.
    void Show();

    // Reads a .bas file: its text and the module name from its VB_Name attribute.
    static bool ReadModule(const std::wstring& path, std::wstring* name, std::wstring* text);
    // Writes the module back with its VB_Name attribute; to `path` if given.
    bool Save(const std::wstring& path = L"");

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    // The character offset of a line and column, or -1 when the module has no such place.
    long Offset(long line, long column) const;
    void CaretToLine(long line);
    HWND mdi_;
    HWND window_ = nullptr, edit_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring name_, path_;
};

} // namespace host
