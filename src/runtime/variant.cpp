#include "variant.h"
#include <utility>

namespace hv::rt {

namespace {
// The system's declarations take the source of a copy as non-const.
VARIANT* Src(const VARIANT& v) {
    return const_cast<VARIANT*>(&v);
}
} // namespace

Variant::Variant(long value) : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
}

Variant::Variant(bool value) : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(const wchar_t* text) : Variant() {
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocString(text);
}

Variant::Variant(IDispatch* object) : Variant() {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object;
    if (object) object->AddRef();
}

Variant::Variant(const Variant& o) : Variant() {
    VariantCopy(&v_, Src(o.v_));
}

Variant& Variant::operator=(const Variant& o) {
    if (this != &o) VariantCopy(&v_, Src(o.v_));
    return *this;
}

Variant::Variant(Variant&& o) noexcept : v_(o.v_) {
    VariantInit(&o.v_);
}

Variant& Variant::operator=(Variant&& o) noexcept {
    if (this != &o) std::swap(v_, o.v_);
    return *this;
}

Variant Variant::From(const VARIANT& v) {
    Variant copy;
    VariantCopy(&copy.v_, Src(v));
    return copy;
}

Variant Variant::Missing() {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant Variant::ByRef(long* place) {
    Variant v;
    v.v_.vt = VT_I4 | VT_BYREF;
    v.v_.plVal = place;
    return v;
}

std::wstring Variant::Text() const {
    VARIANT s;
    VariantInit(&s);
    std::wstring text;
    if (SUCCEEDED(VariantChangeType(&s, Src(v_), VARIANT_ALPHABOOL, VT_BSTR)) && s.bstrVal)
        text.assign(s.bstrVal, SysStringLen(s.bstrVal));
    VariantClear(&s);
    return text;
}

} // namespace hv::rt
