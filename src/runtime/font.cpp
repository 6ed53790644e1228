#include "font.h"
#include <cmath>
#include <cstring>

namespace hv::rt {

UniqueFont CreateVbFont(const std::string& face, double points, bool bold, int dpi) {
    if (dpi <= 0) {
        ClientDc dc(nullptr);
        dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectA(&lf));
}

} // namespace hv::rt
