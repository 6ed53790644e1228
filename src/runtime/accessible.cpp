#include "accessible.h"
#include "com_object.h"
#include "control.h"
#include <oleacc.h>

namespace hv::rt {

namespace {

BSTR ToBstr(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (s) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), s, n);
    return s;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A screen reader may keep it past the window and the add-in's unload: it keeps the DLL, and
// answers RPC_E_DISCONNECTED once the window is gone.
class Accessible final : public RefCounted<IAccessible> {
  public:
    explicit Accessible(HWND hwnd) : hwnd_(hwnd) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        const bool known =
            iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible);
        return AnswerQuery(out, known ? this : nullptr);
    }

    // Clients call the interface's methods directly; there is no type information to give.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (!n) return E_POINTER;
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!IsWindow(hwnd_)) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        if (child) *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccDescription::name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccDescription::value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return None(out); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return Number(child, out, &AccDescription::role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return Number(child, out, &AccDescription::state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return None(out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (GetFocus() == hwnd_) {
            out->vt = VT_I4;
            out->lVal = CHILDID_SELF;
        }
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                          VARIANT child) override {
        if (!x || !y || !w || !h) return E_POINTER;
        *x = *y = *w = *h = 0;
        if (!IsSelf(child)) return E_INVALIDARG;
        RECT r{};
        if (!GetWindowRect(hwnd_, &r)) return RPC_E_DISCONNECTED;
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override {
        if (out) VariantInit(out);
        return E_NOTIMPL; // the window tree gives the neighbours
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        RECT r{};
        if (!GetWindowRect(hwnd_, &r)) return RPC_E_DISCONNECTED;
        if (!PtInRect(&r, POINT{x, y})) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    // The control's description now; false once its window is gone.
    bool Describe(const VARIANT& child, AccDescription& d, HRESULT& hr) const {
        hr = E_INVALIDARG;
        if (!IsSelf(child)) return false;
        hr = RPC_E_DISCONNECTED;
        const auto* control = dynamic_cast<const Control*>(Window::FromHandle(hwnd_));
        if (!control) return false;
        control->Describe(d);
        return true;
    }
    HRESULT Text(const VARIANT& child, BSTR* out, std::string AccDescription::*field) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccDescription d;
        HRESULT hr;
        if (!Describe(child, d, hr)) return hr;
        if ((d.*field).empty()) return S_FALSE;
        *out = ToBstr(d.*field);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT Number(const VARIANT& child, VARIANT* out, long AccDescription::*field) const {
        if (!out) return E_POINTER;
        VariantInit(out);
        AccDescription d;
        HRESULT hr;
        if (!Describe(child, d, hr)) return hr;
        out->vt = VT_I4;
        out->lVal = d.*field;
        return S_OK;
    }
    static HRESULT None(BSTR* out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        return S_FALSE;
    }

    HWND hwnd_;
};

} // namespace

LRESULT AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
    auto* a = new Accessible(hwnd);
    const LRESULT r = LresultFromObject(__uuidof(IAccessible), wp, a);
    a->Release();
    return r < 0 ? 0 : r;
}

void NotifyAcc(DWORD event, HWND hwnd) {
    if (hwnd) NotifyWinEvent(event, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace hv::rt
