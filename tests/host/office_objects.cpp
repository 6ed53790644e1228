// The VBA editor hosted by an Office application (/office=excel, word, powerpoint, access):
// its code modules are the documents' modules (VBComponent.Type 100, vbext_ct_Document), and
// a document module's Properties("Application").Value is the application, whose Name says
// which one hosts the editor ("Microsoft Excel"). The host plays no workbook: no theme is
// answered, so an add-in asking for the live theme finds none.
#include "ide.h"
#include "objects.h"

namespace host {

namespace {

template <typename T, typename... A> ComPtr<IDispatch> Make(A&&... a) {
    return Adopt(static_cast<IDispatch*>(new T(std::forward<A>(a)...)));
}

enum { kValue = DISPID_VALUE, kName = 1 };

const std::vector<Member> kApplicationMembers = {
    {L"Name", DISPID_VALUE, Kind::Get, {}},
};

class ApplicationObject final : public DispatchObject {
  public:
    ApplicationObject(std::weak_ptr<Ide> ide, std::wstring name)
        : DispatchObject(L"Application", kApplicationMembers, PlanOf(ide)), name_(std::move(name)) {}

  private:
    Outcome Run(const Member&, Args&, VARIANT* result) override {
        ReturnString(result, name_);
        return {};
    }
    std::wstring name_;
};

const std::vector<Member> kPropertyMembers = {
    {L"Value", kValue, Kind::Get, {}},
    {L"Name", kName, Kind::Get, {}},
};

class ApplicationProperty final : public DispatchObject {
  public:
    explicit ApplicationProperty(std::weak_ptr<Ide> ide)
        : DispatchObject(L"Property", kPropertyMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        if (m.id == kName) {
            ReturnString(result, L"Application");
            return {};
        }
        ReturnObject(result, Make<ApplicationObject>(ide_, OfficeApplicationName(ide->options().office)).Detach());
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

const std::vector<Member> kPropertiesMembers = {
    {L"Item", DISPID_VALUE, Kind::Method, {{L"Index", Type::Any}}},
};

// Only "Application" of a document's properties is played; any other name raises as the
// editor does for a name the document does not have.
class DocumentProperties final : public DispatchObject {
  public:
    explicit DocumentProperties(std::weak_ptr<Ide> ide)
        : DispatchObject(L"Properties", kPropertiesMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member&, Args& args, VARIANT* result) override {
        const VARIANT& index = args.Any(0);
        if (index.vt != VT_BSTR || !SameText(FromBstr(index.bstrVal), L"Application"))
            return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
        ReturnObject(result, Make<ApplicationProperty>(ide_).Detach());
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

} // namespace

std::wstring OfficeApplicationName(const std::wstring& office) {
    const struct {
        const wchar_t* option;
        const wchar_t* name;
    } kApps[] = {{L"excel", L"Microsoft Excel"},
                 {L"word", L"Microsoft Word"},
                 {L"powerpoint", L"Microsoft PowerPoint"},
                 {L"access", L"Microsoft Access"}};
    for (const auto& a : kApps)
        if (SameText(office, a.option)) return a.name;
    return {};
}

ComPtr<IDispatch> NewDocumentProperties(std::weak_ptr<Ide> ide) {
    return Make<DocumentProperties>(std::move(ide));
}

} // namespace host
