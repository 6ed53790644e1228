// An owning VARIANT with the few kinds of value the add-in passes to the IDE.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>

namespace hv::rt {

class Variant {
  public:
    Variant() { VariantInit(&v_); }
    Variant(int value) : Variant(static_cast<long>(value)) {}
    Variant(long value);
    Variant(bool value);
    Variant(const wchar_t* text);
    Variant(const std::wstring& text) : Variant(text.c_str()) {}
    Variant(IDispatch* object); // AddRefs
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant& o);
    Variant& operator=(const Variant& o);
    Variant(Variant&& o) noexcept;
    Variant& operator=(Variant&& o) noexcept;

    // A copy of a VARIANT someone else owns.
    static Variant From(const VARIANT& v);
    // An optional argument left out, as VB passes it.
    static Variant Missing();
    // Places the callee writes into, passed by reference.
    static Variant ByRef(long* place);

    VARTYPE vt() const { return v_.vt; }
    const VARIANT& raw() const { return v_; }
    VARIANT* get() { return &v_; }
    // Empties the variant and hands out its storage for a callee to fill.
    VARIANT* Reset() {
        VariantClear(&v_);
        return &v_;
    }
    // The value as text, or an empty string when it has none.
    std::wstring Text() const;

  private:
    VARIANT v_;
};

} // namespace hv::rt
