#include "type_info.h"
#include "../runtime/module.h"
#include <string>

namespace hv::connect {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(rt::ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT LoadInterfaceInfo(int index, REFIID iid, rt::ComPtr<ITypeInfo>& out) {
    out.Reset();
    std::wstring path = ModulePath();
    // Digits widened by hand: std::to_wstring goes through the C library's wide printf.
    if (index != 1) {
        path += L'\\';
        for (const char c : std::to_string(index))
            path += static_cast<wchar_t>(c);
    }
    rt::ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    rt::ComPtr<ITypeInfo> info;
    hr = lib->GetTypeInfoOfGuid(iid, &info);
    if (FAILED(hr)) return hr;
    TYPEATTR* attr = nullptr;
    hr = info->GetTypeAttr(&attr);
    if (FAILED(hr)) return hr;
    const bool dispatchHalf = attr->typekind == TKIND_DISPATCH;
    info->ReleaseTypeAttr(attr);
    if (!dispatchHalf) {
        out = info;
        return S_OK;
    }
    // A dual interface is found as its dispinterface; DispInvoke wants the vtable half.
    HREFTYPE ref = 0;
    hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref);
    if (SUCCEEDED(hr)) hr = info->GetRefTypeInfo(ref, &out);
    return hr;
}

HRESULT TypeInfoDispatch::Load() {
    return info_ ? S_OK : LoadInterfaceInfo(library_, iid_, info_);
}

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) const {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = Load();
    if (SUCCEEDED(hr)) {
        *out = info_.Get();
        info_->AddRef();
    }
    return hr;
}

HRESULT TypeInfoDispatch::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const HRESULT hr = Load();
    return FAILED(hr) ? hr : DispGetIDsOfNames(info_.Get(), names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* object, DISPID id, REFIID iid, WORD flags,
                                 DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                 UINT* argErr) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const HRESULT hr = Load();
    return FAILED(hr) ? hr
                      : DispInvoke(object, info_.Get(), id, flags, params, result, excep, argErr);
}

} // namespace hv::connect
