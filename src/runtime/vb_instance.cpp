#include "vb_instance.h"

namespace hv::rt {

namespace {
// A plain pointer on purpose: no destructor at unload that would call into an IDE that
// may already be gone. Disconnection releases it.
IDispatch* g_vbe = nullptr;
} // namespace

IDispatch* VBInstance() {
    return g_vbe;
}

void SetVBInstance(IDispatch* vbe) {
    if (vbe) vbe->AddRef(); // first: the old one may be the same object
    IDispatch* old = g_vbe;
    g_vbe = vbe;
    if (old) old->Release();
}

} // namespace hv::rt
