// The colours of the active project, read through the object model one component at a time,
// so that the caller can keep the IDE's window answering between components and stop early.
#pragma once
#include "../core/project_colours.h"
#include "../runtime/com_ptr.h"
#include <string>
#include <vector>

namespace hv::output {

class ProjectRead {
  public:
    explicit ProjectRead(IDispatch* vbe);
    // False without an active project.
    bool Found() const { return static_cast<bool>(components_); }
    long total() const { return total_; }
    long done() const { return done_; }
    // Reads the next component: its code's colours and, for a form, its controls' colour
    // properties. False once every component was read.
    bool Next();

    std::vector<ColourUse> uses;
    std::vector<TextColours> texts;
    // The components or controls that could not be read, with the IDE's reason.
    std::wstring failures;

  private:
    void ReadCode(IDispatch* component, const std::wstring& name);
    void ReadForm(IDispatch* component, const std::wstring& name);

    rt::ComPtr<IDispatch> components_;
    long total_ = 0, done_ = 0;
};

} // namespace hv::output
