// Which Office application hosts the VBA editor: told by a document module's
// Properties("Application").Value.Name (the component selected, or the active pane's). The
// VB6 IDE, and a VBA editor whose selection is no document module, tell none.
#pragma once
#include "../core/office_theme.h"
#include <oaidl.h>

namespace hv::output {

OfficeHost OfficeHostOf(IDispatch* vbe);

} // namespace hv::output
