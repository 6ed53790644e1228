// Calls of the object model that are told to fail, for testing how an add-in copes with a
// hostile IDE. Given as "Object.Member[=kind],..." (or just "Member"), e.g.
// "CommandBarControls.Add=bare,CommandBars.Item"; the object names are the object model's
// type names (VBE, Window, CommandBars, CommandBar, CommandBarControls, CommandBarControl,
// Events, CommandBarEvents, CodePane, CodeModule). Kinds:
//   error    the call fails with a description (the default)
//   bare     the call fails with an error code and no description
//   empty    the call succeeds and returns an Empty value
//   nothing  the call succeeds and returns Nothing
//   text     the call succeeds and returns a text where an object belongs
// The connection point's FindConnectionPoint, Advise and Unadvise can fail too (as
// "CommandBarEvents.Advise", ...), with error or bare.
#pragma once
#include <map>
#include <optional>
#include <string>

namespace host {

enum class FaultKind { Error, Bare, Empty, Nothing, Text };

class FaultPlan {
  public:
    // Adds the faults of a list like the one above; false if any part was not understood.
    bool Parse(const std::wstring& list);
    void Clear() { faults_.clear(); }
    void Set(const std::wstring& member, FaultKind kind) { faults_[Key(member)] = kind; }
    std::optional<FaultKind> For(const wchar_t* objectName, const wchar_t* member) const;
    bool empty() const { return faults_.empty(); }

  private:
    static std::wstring Key(std::wstring s);
    std::map<std::wstring, FaultKind> faults_;
};

} // namespace host
