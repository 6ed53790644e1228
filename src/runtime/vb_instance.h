// The IDE's root object (VBE), kept while the add-in is connected. The code pane insertion
// reaches the editor through it; nothing else holds it.
#pragma once
#include <oaidl.h>

namespace hv::rt {

// The kept object, not AddRef'ed for the caller; null when not connected.
IDispatch* VBInstance();
// Keeps `vbe` (AddRef'ed), releasing the one kept before; null just releases.
void SetVBInstance(IDispatch* vbe);

} // namespace hv::rt
