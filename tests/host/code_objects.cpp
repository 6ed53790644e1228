// CodePane and CodeModule over the host's code panes, and the add-in's AddIn object.
#include "code_pane.h"
#include "ide.h"
#include "objects.h"

namespace host {

namespace {

template <typename T, typename... A> ComPtr<IDispatch> Make(A&&... a) {
    return Adopt(static_cast<IDispatch*>(new T(std::forward<A>(a)...)));
}

Outcome OutOfRange() {
    return Raise(kErrSubscript, L"Subscript out of range");
}

// -- CodePane ----------------------------------------------------------------------------

enum { kGetSelection = 1, kCodeModule, kShow, kSetSelection, kWindow };
const std::vector<Member> kPaneMembers = {
    {L"GetSelection",
     kGetSelection,
     Kind::Method,
     {{L"StartLine", Type::RefLong},
      {L"StartColumn", Type::RefLong},
      {L"EndLine", Type::RefLong},
      {L"EndColumn", Type::RefLong}}},
    {L"CodeModule", kCodeModule, Kind::Get, {}},
    {L"Show", kShow, Kind::Method, {}},
    {L"SetSelection",
     kSetSelection,
     Kind::Method,
     {{L"StartLine", Type::Long},
      {L"StartColumn", Type::Long},
      {L"EndLine", Type::Long},
      {L"EndColumn", Type::Long}}},
    {L"Window", kWindow, Kind::Get, {}},
};

class PaneObject final : public DispatchObject {
  public:
    PaneObject(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane)
        : DispatchObject(L"CodePane", kPaneMembers, PlanOf(ide)), ide_(std::move(ide)),
          pane_(std::move(pane)) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        auto pane = pane_.lock();
        if (!ide || !ide->open() || !pane) return Gone();
        switch (m.id) {
        case kGetSelection: {
            long v[4];
            pane->GetSelection(&v[0], &v[1], &v[2], &v[3]);
            for (size_t i = 0; i < 4; ++i)
                args.SetRefLong(i, v[i]);
            break;
        }
        case kCodeModule:
            ReturnObject(result, NewCodeModule(ide_, pane_).Detach());
            break;
        case kShow:
            pane->Show();
            break;
        case kWindow:
            ReturnObject(result, NewWindow(ide_, kCodeWindowType, [w = pane_] {
                                     auto p = w.lock();
                                     return p ? p->window() : nullptr;
                                 }).Detach());
            break;
        case kSetSelection:
            if (!pane->SetSelection(args.Long(0), args.Long(1), args.Long(2), args.Long(3)))
                return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
            break;
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    std::weak_ptr<CodePane> pane_;
};

// -- CodeModule --------------------------------------------------------------------------

enum { kLines = 1, kReplaceLine, kCountOfLines, kName, kInsertLines, kAddFromString, kModulePane };
const std::vector<Member> kModuleMembers = {
    {L"Lines", kLines, Kind::Get, {{L"StartLine", Type::Long}, {L"Count", Type::Long}}},
    {L"ReplaceLine", kReplaceLine, Kind::Method, {{L"Line", Type::Long}, {L"String", Type::String}}},
    {L"CountOfLines", kCountOfLines, Kind::Get, {}},
    {L"Name", kName, Kind::Get, {}},
    {L"InsertLines", kInsertLines, Kind::Method, {{L"Line", Type::Long}, {L"String", Type::String}}},
    {L"AddFromString", kAddFromString, Kind::Method, {{L"String", Type::String}}},
    {L"CodePane", kModulePane, Kind::Get, {}},
};

class ModuleObject final : public DispatchObject {
  public:
    ModuleObject(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane)
        : DispatchObject(L"CodeModule", kModuleMembers, PlanOf(ide)), ide_(std::move(ide)),
          pane_(std::move(pane)) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        auto pane = pane_.lock();
        if (!ide || !ide->open() || !pane) return Gone();
        const long lines = pane->CountOfLines();
        switch (m.id) {
        case kLines: {
            // What there is: a count past the last line gives the lines up to it, and a start
            // past it (line 1 of an empty module) an empty text.
            const long start = args.Long(0), count = args.Long(1);
            if (start < 1 || count < 0) return OutOfRange();
            std::wstring text;
            for (long i = 0; i < count && start + i <= lines; ++i)
                text += (i ? L"\r\n" : L"") + pane->Line(start + i);
            ReturnString(result, text);
            break;
        }
        case kReplaceLine: {
            const long line = args.Long(0);
            if (line < 1 || line > lines) return OutOfRange();
            if (Outcome refused = EditRefusal(ide_); FAILED(refused.code)) return refused;
            pane->ReplaceLine(line, args.String(1));
            break;
        }
        case kCountOfLines:
            ReturnLong(result, lines);
            break;
        case kName:
            ReturnString(result, pane->name());
            break;
        case kInsertLines: {
            const long line = args.Long(0);
            if (line < 1 || line > lines + 1) return OutOfRange();
            if (Outcome refused = EditRefusal(ide_); FAILED(refused.code)) return refused;
            pane->InsertLines(line, args.String(1));
            break;
        }
        case kAddFromString:
            if (Outcome refused = EditRefusal(ide_); FAILED(refused.code)) return refused;
            pane->AddFromString(args.String(0));
            break;
        case kModulePane:
            ReturnObject(result, NewCodePane(ide_, pane_).Detach());
            break;
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    std::weak_ptr<CodePane> pane_;
};

// -- AddIn -------------------------------------------------------------------------------

enum { kProgId = 1, kDescription };
const std::vector<Member> kAddInMembers = {
    {L"ProgId", kProgId, Kind::Get, {}},
    {L"Description", kDescription, Kind::Get, {}},
};

class AddInObject final : public DispatchObject {
  public:
    AddInObject(std::wstring progId, std::wstring description)
        : DispatchObject(L"AddIn", kAddInMembers, nullptr), progId_(std::move(progId)),
          description_(std::move(description)) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        ReturnString(result, m.id == kProgId ? progId_ : description_);
        return {};
    }
    std::wstring progId_, description_;
};

} // namespace

ComPtr<IDispatch> NewCodePane(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane) {
    return Make<PaneObject>(std::move(ide), std::move(pane));
}
ComPtr<IDispatch> NewCodeModule(std::weak_ptr<Ide> ide, std::weak_ptr<CodePane> pane) {
    return Make<ModuleObject>(std::move(ide), std::move(pane));
}
ComPtr<IDispatch> NewAddInInstance(const std::wstring& progId, const std::wstring& description) {
    return Make<AddInObject>(progId, description);
}

} // namespace host
