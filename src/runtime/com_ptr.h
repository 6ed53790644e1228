// An owner of one COM interface reference: released exactly once, copied with AddRef.
#pragma once
#include <windows.h>
#include <unknwn.h>
#include <cstddef>
#include <utility>

namespace hv::rt {

template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference that the caller already holds.
    static ComPtr Attach(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // The place where a call writes a new reference (a Create... or QueryInterface result);
    // whatever was held before is released first.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // QueryInterface: an empty pointer when the object has no such interface.
    template <typename U> ComPtr<U> As() const {
        ComPtr<U> u;
        if (p_) p_->QueryInterface(__uuidof(U), u.put_void());
        return u;
    }

  private:
    T* p_ = nullptr;
};

} // namespace hv::rt
