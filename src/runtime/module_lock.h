// Live COM objects and server locks of the add-in DLL: while any remain, the DLL must stay.
#pragma once

namespace hv::rt {

void LockModule();
void UnlockModule();
long ModuleLocks();

// Counts one object for as long as it lives.
struct ModuleReference {
    ModuleReference() { LockModule(); }
    ~ModuleReference() { UnlockModule(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

} // namespace hv::rt
