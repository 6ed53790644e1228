// An IDE host for a test, and short ways to call its object model by name.
#pragma once
#include "host/ide.h"
#include "runtime/late_call.h"
#include "support/pump.h"
#include <gtest/gtest.h>

namespace hv::test {

using rt::ComPtr;
using rt::Variant;

// The IDE the host plays for these tests: the VB6 IDE, or the VBA editor when the variable
// IDEHOST_MODE is "vba" (the same tests run against both).
inline bool VbaMode() {
    char mode[16] = "";
    return GetEnvironmentVariableA("IDEHOST_MODE", mode, sizeof mode) &&
           lstrcmpiA(mode, "vba") == 0;
}

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ForgetKeptBars();
        Open(host::IdeOptions{});
    }
    void TearDown() override {
        CloseIde();
        ForgetKeptBars();
    }
    // What an earlier session left on the command bars: each test starts without it.
    static void ForgetKeptBars() {
        RegDeleteTreeW(HKEY_CURRENT_USER, host::IdeOptions{}.barsKey.c_str());
    }

    void Open(host::IdeOptions options) {
        CloseIde();
        options.vba = options.vba || VbaMode();
        ide_ = host::Ide::Create(options);
        ASSERT_TRUE(ide_);
        vbe_ = ide_->Vbe();
        PumpMessages();
    }
    void CloseIde() {
        vbe_.Reset();
        if (ide_) ide_->Close();
        ide_.reset();
        PumpMessages();
    }

    // A chain of gets ("CommandBars", then "Item"(2), ...), failing the test on an error.
    static ComPtr<IDispatch> Object(IDispatch* from, const wchar_t* member,
                                    std::initializer_list<Variant> args = {}) {
        ComPtr<IDispatch> out;
        const rt::CallError e = rt::GetObject(from, member, args, out);
        EXPECT_FALSE(e) << "get " << member << ": " << std::hex << e.number;
        return out;
    }
    static long Long(IDispatch* from, const wchar_t* member,
                     std::initializer_list<Variant> args = {}) {
        Variant v;
        EXPECT_FALSE(rt::Get(from, member, args, &v)) << "get " << member;
        return v.vt() == VT_I4 ? v.raw().lVal : -1;
    }
    static std::wstring Text(IDispatch* from, const wchar_t* member,
                             std::initializer_list<Variant> args = {}) {
        Variant v;
        EXPECT_FALSE(rt::Get(from, member, args, &v)) << "get " << member;
        return v.Text();
    }
    ComPtr<IDispatch> StandardControls() {
        return Object(
            Object(Object(vbe_.Get(), L"CommandBars").Get(), L"Item", {L"Standard"}).Get(),
            L"Controls");
    }
    host::CommandBar& Standard() { return *ide_->BarNamed(L"Standard"); }

    // Invokes a member with exactly the given flags and arguments (last to first).
    static HRESULT RawInvoke(IDispatch* object, const wchar_t* member, WORD flags,
                             std::vector<VARIANT> reversedArgs, std::vector<DISPID> named = {},
                             VARIANT* result = nullptr, EXCEPINFO* excep = nullptr) {
        DISPID id = DISPID_UNKNOWN;
        auto name = const_cast<LPOLESTR>(member);
        const HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) return hr;
        DISPPARAMS p{reversedArgs.data(), named.data(), static_cast<UINT>(reversedArgs.size()),
                     static_cast<UINT>(named.size())};
        EXCEPINFO local{};
        UINT argErr = 0;
        const HRESULT r = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &p, result,
                                         excep ? excep : &local, &argErr);
        if (!excep) {
            SysFreeString(local.bstrSource);
            SysFreeString(local.bstrDescription);
            SysFreeString(local.bstrHelpFile);
        }
        return r;
    }
    static VARIANT I4(long v) {
        VARIANT x;
        x.vt = VT_I4;
        x.lVal = v;
        return x;
    }

    std::shared_ptr<host::Ide> ide_;
    ComPtr<IDispatch> vbe_;
};

} // namespace hv::test
