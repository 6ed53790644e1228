#include "office_host.h"
#include "../core/office_formats.h"
#include "../runtime/late_call.h"
#include <string>

namespace hv::output {

OfficeHost OfficeHostOf(IDispatch* vbe) {
    rt::ComPtr<IDispatch> component, properties, property, application;
    rt::Variant name;
    if (!vbe || rt::GetObject(vbe, L"SelectedVBComponent", {}, component) || !component ||
        rt::GetObject(component.Get(), L"Properties", {}, properties) || !properties ||
        rt::GetObject(properties.Get(), L"Item", {rt::Variant(L"Application")}, property) || !property ||
        rt::GetObject(property.Get(), L"Value", {}, application) || !application ||
        rt::Get(application.Get(), L"Name", {}, &name) || name.vt() != VT_BSTR)
        return OfficeHost::None;
    const std::wstring w = name.Text();
    return OfficeHostNamed(std::string(w.begin(), w.end()));
}

} // namespace hv::output
