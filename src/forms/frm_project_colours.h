// frmProjectColours: every colour the active project uses, one row a colour with its uses
// below it when opened; a row chosen is the current colour, a use double-clicked is shown in
// the IDE. Replace writes another colour over the row's uses (or the ticked ones), "Undo
// replace" takes that back, and the contrast list names the controls whose text fails AA.
#pragma once
#include "../ide/project_edit.h"
#include "../ide/project_read.h"
#include "../runtime/command_button.h"
#include "../runtime/form.h"
#include "../runtime/list_box.h"
#include "../runtime/text_box.h"
#include <functional>
#include <memory>

namespace hv::forms {

class frmProjectColours {
  public:
    // `vbe`: the IDE's root object; `current` gives the current colour, `makeCurrent` sets it.
    frmProjectColours(IDispatch* vbe, std::function<ColorValue()> current,
                      std::function<void(ColorValue)> makeCurrent);
    ~frmProjectColours();
    frmProjectColours(const frmProjectColours&) = delete;
    frmProjectColours& operator=(const frmProjectColours&) = delete;

    // Loads the window on first use, shows it owned by `owner` and reads the project.
    void Show(HWND owner);
    rt::Form& form() { return form_; }
    // Reads the project again; past half a second it shows how far it got and can be
    // cancelled, the IDE's messages running between components.
    void Read();
    // Writes `to` over the chosen row's ticked uses, or all its uses when none is ticked.
    void Replace(ColorValue to);
    void Undo();
    const std::vector<ColourUse>& uses() const { return uses_; }
    const std::vector<ColourRow>& rows() const { return rows_; }

    rt::ListBox* lstColours = nullptr;
    rt::CommandButton *cmdReplace = nullptr, *cmdUndo = nullptr, *cmdRead = nullptr,
                      *cmdCancel = nullptr;
    rt::TextBox* txtContrast = nullptr;
    rt::Label* lblStatus = nullptr;

  private:
    void Fill();
    void Expand(int row);
    int RowOfItem(int item) const;
    void lstColours_Click();
    void lstColours_DblClick();
    void cmdReplace_Click();
    void DrawRow(HDC dc, const RECT& r, int item, bool selected);
    void SetStatus(const std::string& text);
    void Tell(const std::wstring& told, const wchar_t* what);

    rt::Form form_;
    IDispatch* vbe_;
    std::function<ColorValue()> current_;
    std::function<void(ColorValue)> makeCurrent_;
    output::ProjectEdit edit_;
    std::vector<ColourUse> uses_;
    std::vector<TextColours> texts_;
    std::vector<ColourRow> rows_;
    std::vector<int> rowOfUse_;
    std::vector<char> expanded_, ticked_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool reading_ = false, cancel_ = false;
};

} // namespace hv::forms
