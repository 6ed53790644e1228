// VB's ListBox, drawn by its owner: one number an item, the owner paints each row.
#pragma once
#include "control.h"
#include "mouse.h"

namespace hv::rt {

class ListBox : public Control {
  public:
    ListBox(Form& form, std::string name, double left, double top, double width, double height);

    void Clear();
    // Adds an item holding `data` at `index` (-1: at the end).
    void AddItem(LPARAM data, int index = -1);
    void RemoveItem(int index);
    int ListCount() const;
    int ListIndex() const; // -1: none selected
    void SetListIndex(int index);
    LPARAM ItemData(int index) const;
    // Where the left button last went down, in the list's client pixels.
    POINT LastPress() const { return press_; }

    // The row to paint, in the list's client pixels; the selected row highlighted by the owner.
    std::function<void(HDC dc, const RECT& r, int index, bool selected)> OnDrawItem;
    EventHandler OnClick;    // the selection changed
    EventHandler OnDblClick;

    void Command(WORD notifyCode) override;
    void DrawItem(const DRAWITEMSTRUCT& d) override;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    POINT press_{-1, -1};
};

} // namespace hv::rt
