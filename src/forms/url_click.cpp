#include "url_click.h"
#include <shellapi.h>

namespace hv::forms {

void OpenUrl(HWND owner, int showCommand) {
    ShellExecuteA(owner, "Open", kMakerUrl, "", "", showCommand);
}

} // namespace hv::forms
