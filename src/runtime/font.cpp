#include "font.h"
#include <cmath>
#include <cstring>

namespace hv::rt {

UniqueFont CreateVbFont(const std::string& face, double points, bool bold) {
    ClientDc dc(nullptr);
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * GetDeviceCaps(dc.get(), LOGPIXELSY) / 72));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectA(&lf));
}

} // namespace hv::rt
