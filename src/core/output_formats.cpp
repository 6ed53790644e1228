#include "output_formats.h"

namespace hv {

std::string FormatComponents(ComponentFormat format, const std::string& r, const std::string& g,
                             const std::string& b) {
    switch (format) {
    case ComponentFormat::Red: return r;
    case ComponentFormat::Green: return g;
    case ComponentFormat::Blue: return b;
    case ComponentFormat::Joined: return r + g + b;
    case ComponentFormat::CommaList: return r + ", " + g + ", " + b;
    case ComponentFormat::RgbCall: return "RGB(" + r + ", " + g + ", " + b + ")";
    }
    return {};
}

std::string CopyHint(const std::string& code) { return "Copy [" + code + "] to clipboard."; }
std::string InsertHint(const std::string& code) { return "Insert [" + code + "] to codepane."; }

} // namespace hv
