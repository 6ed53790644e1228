// VBE.ActiveVBProject: the one project the host holds, its components the open modules and
// then the forms.
#include "designer.h"
#include "ide.h"
#include "objects.h"

namespace host {

namespace {

template <typename T, typename... A> ComPtr<IDispatch> Make(A&&... a) {
    return Adopt(static_cast<IDispatch*>(new T(std::forward<A>(a)...)));
}

enum { kItem = DISPID_VALUE, kCount = 1 };
const std::vector<Member> kComponentsMembers = {
    {L"Item", kItem, Kind::Method, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
};

class ComponentsObject final : public DispatchObject {
  public:
    explicit ComponentsObject(std::weak_ptr<Ide> ide)
        : DispatchObject(L"VBComponents", kComponentsMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    // Item counts from 1, and takes a component's name too.
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        const auto& panes = ide->panes();
        const auto& forms = ide->forms();
        const long count = static_cast<long>(panes.size() + forms.size());
        if (m.id == kCount) {
            ReturnLong(result, count);
            return {};
        }
        const VARIANT& index = args.Any(0);
        long n = 0;
        if (index.vt == VT_BSTR) {
            const std::wstring name = FromBstr(index.bstrVal);
            for (long i = 0; i < count && !n; ++i) {
                const size_t k = static_cast<size_t>(i);
                if (SameText(k < panes.size() ? panes[k]->name()
                                              : forms[k - panes.size()]->model().name,
                             name))
                    n = i + 1;
            }
            if (!n) return Raise(kErrSubscript, L"Subscript out of range");
        } else {
            VARIANT v;
            VariantInit(&v);
            if (FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&index), 0, VT_I4)))
                return Raise(DISP_E_TYPEMISMATCH, L"Type mismatch");
            n = v.lVal;
            if (n < 1 || n > count) return Raise(kErrSubscript, L"Subscript out of range");
        }
        const size_t k = static_cast<size_t>(n - 1);
        ReturnObject(result, k < panes.size()
                                 ? NewComponent(ide_, {}, panes[k]).Detach()
                                 : NewComponent(ide_, forms[k - panes.size()], {}).Detach());
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

enum { kName = 1, kComponents };
const std::vector<Member> kProjectMembers = {
    {L"Name", kName, Kind::Get, {}},
    {L"VBComponents", kComponents, Kind::Get, {}},
};

class ProjectObject final : public DispatchObject {
  public:
    explicit ProjectObject(std::weak_ptr<Ide> ide)
        : DispatchObject(L"VBProject", kProjectMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        if (m.id == kName)
            ReturnString(result, ide->options().vba ? L"VBAProject" : L"Project1");
        else
            ReturnObject(result, Make<ComponentsObject>(ide_).Detach());
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

} // namespace

ComPtr<IDispatch> NewProject(std::weak_ptr<Ide> ide) {
    return Make<ProjectObject>(std::move(ide));
}

} // namespace host
