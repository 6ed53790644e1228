#include "colour_names.h"

namespace hv {

namespace {

// The names, one space between each, with the frequent words written as one capital:
// the capital's word is kWords' entry at its letter.
const char kPacked[] =
    "aliceB antiqueW aqua aquamarine azure beige bisque black blanchedalmond B Bviolet "
    "brown burlywood cadetB chartreuse chocolate coral cornflowerB cornsilk crimson cyan "
    "DB Dcyan Dgoldenrod DR DG DE Dkhaki Dmagenta DoliveG DO Dorchid Dred Dsalmon DseaG "
    "DSB DSR DSE Dturquoise Dviolet deeppink deepskyB dimR dimE dodgerB firebrick floralW "
    "forestG fuchsia gainsboro ghostW gold goldenrod R G Gyellow E honeydew hotpink "
    "indianred indigo ivory khaki lavender lavenderblush lawnG lemonchiffon LB Lcoral "
    "Lcyan Lgoldenrodyellow LR LG LE Lpink Lsalmon LseaG LskyB LSR LSE LsteelB Lyellow "
    "lime limeG linen magenta maroon Maquamarine MB Morchid Mpurple MseaG MSB MspringG "
    "Mturquoise Mvioletred midnightB mintcream mistyrose moccasin navajoW navy oldlace "
    "olive olivedrab O Ored orchid Pgoldenrod PG Pturquoise Pvioletred papayawhip "
    "peachpuff peru pink plum powderB purple rebeccapurple red rosybrown royalB "
    "saddlebrown salmon sandybrown seaG seashell sienna silver skyB SB SR SE snow springG "
    "steelB tan teal thistle tomato turquoise violet wheat W Wsmoke yellow yellowG";
// For 'B' to 'W': blue, dark, grey, green, light, medium, orange, pale, gray, slate, white.
const char* const kWords[] = {"blue",  nullptr,  "dark",  "grey",  nullptr, "green",
                              nullptr, nullptr,  nullptr, nullptr, "light", "medium",
                              nullptr, "orange", "pale",  nullptr, "gray",  "slate",
                              nullptr, nullptr,  nullptr, "white"};

// Red, green, blue of each name, in the table's order.
const unsigned char kRgb[kNamedColourCount * 3] = {
    240, 248, 255, 250, 235, 215, 0,   255, 255, 127, 255, 212, 240, 255, 255, 245, 245, 220, 255,
    228, 196, 0,   0,   0,   255, 235, 205, 0,   0,   255, 138, 43,  226, 165, 42,  42,  222, 184,
    135, 95,  158, 160, 127, 255, 0,   210, 105, 30,  255, 127, 80,  100, 149, 237, 255, 248, 220,
    220, 20,  60,  0,   255, 255, 0,   0,   139, 0,   139, 139, 184, 134, 11,  169, 169, 169, 0,
    100, 0,   169, 169, 169, 189, 183, 107, 139, 0,   139, 85,  107, 47,  255, 140, 0,   153, 50,
    204, 139, 0,   0,   233, 150, 122, 143, 188, 143, 72,  61,  139, 47,  79,  79,  47,  79,  79,
    0,   206, 209, 148, 0,   211, 255, 20,  147, 0,   191, 255, 105, 105, 105, 105, 105, 105, 30,
    144, 255, 178, 34,  34,  255, 250, 240, 34,  139, 34,  255, 0,   255, 220, 220, 220, 248, 248,
    255, 255, 215, 0,   218, 165, 32,  128, 128, 128, 0,   128, 0,   173, 255, 47,  128, 128, 128,
    240, 255, 240, 255, 105, 180, 205, 92,  92,  75,  0,   130, 255, 255, 240, 240, 230, 140, 230,
    230, 250, 255, 240, 245, 124, 252, 0,   255, 250, 205, 173, 216, 230, 240, 128, 128, 224, 255,
    255, 250, 250, 210, 211, 211, 211, 144, 238, 144, 211, 211, 211, 255, 182, 193, 255, 160, 122,
    32,  178, 170, 135, 206, 250, 119, 136, 153, 119, 136, 153, 176, 196, 222, 255, 255, 224, 0,
    255, 0,   50,  205, 50,  250, 240, 230, 255, 0,   255, 128, 0,   0,   102, 205, 170, 0,   0,
    205, 186, 85,  211, 147, 112, 219, 60,  179, 113, 123, 104, 238, 0,   250, 154, 72,  209, 204,
    199, 21,  133, 25,  25,  112, 245, 255, 250, 255, 228, 225, 255, 228, 181, 255, 222, 173, 0,
    0,   128, 253, 245, 230, 128, 128, 0,   107, 142, 35,  255, 165, 0,   255, 69,  0,   218, 112,
    214, 238, 232, 170, 152, 251, 152, 175, 238, 238, 219, 112, 147, 255, 239, 213, 255, 218, 185,
    205, 133, 63,  255, 192, 203, 221, 160, 221, 176, 224, 230, 128, 0,   128, 102, 51,  153, 255,
    0,   0,   188, 143, 143, 65,  105, 225, 139, 69,  19,  250, 128, 114, 244, 164, 96,  46,  139,
    87,  255, 245, 238, 160, 82,  45,  192, 192, 192, 135, 206, 235, 106, 90,  205, 112, 128, 144,
    112, 128, 144, 255, 250, 250, 0,   255, 127, 70,  130, 180, 210, 180, 140, 0,   128, 128, 216,
    191, 216, 255, 99,  71,  64,  224, 208, 238, 130, 238, 245, 222, 179, 255, 255, 255, 245, 245,
    245, 255, 255, 0,   154, 205, 50,
};

struct Lab {
    double l, a, b;
};

// x^(1/n) for 0 < x <= 1 by Newton's method: no pow or cbrt to carry in the DLL.
double Root(double x, int n) {
    double y = 1;
    for (int i = 0; i < 60; ++i) {
        double p = 1;
        for (int k = 1; k < n; ++k)
            p *= y;
        y -= (p * y - x) / (n * p);
    }
    return y;
}

// An sRGB component (0..255) as linear light.
double Linear(int c) {
    const double v = c / 255.0;
    if (v <= 0.04045) return v / 12.92;
    const double s = (v + 0.055) / 1.055;
    return s * s * Root(s * s, 5); // s^2.4
}

double LabF(double t) {
    return t > 216.0 / 24389 ? Root(t, 3) : (24389.0 / 27 * t + 16) / 116;
}

Lab ToLab(int red, int green, int blue) {
    const double r = Linear(red), g = Linear(green), b = Linear(blue);
    // XYZ relative to the D65 white, then L*a*b*.
    const double x = LabF((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double y = LabF(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double z = LabF((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}

// The table's colours in CIELAB, worked out at first use (zeroed storage costs the DLL no
// bytes, a table of constants would). MinGW's GCC puts zeroed data in the file's .data
// under -fdata-sections; named .bss it takes no bytes there.
#ifdef _WIN32
__attribute__((section(".bss")))
#endif
Lab g_lab[kNamedColourCount];
bool g_labReady = false;

const Lab& NamedLab(int i) {
    if (!g_labReady) {
        for (int k = 0; k < kNamedColourCount; ++k)
            g_lab[k] = ToLab(kRgb[3 * k], kRgb[3 * k + 1], kRgb[3 * k + 2]);
        g_labReady = true;
    }
    return g_lab[i];
}

} // namespace

std::string NamedColourName(int i) {
    const char* p = kPacked;
    for (; i > 0 && *p; ++p)
        if (*p == ' ') --i;
    std::string name;
    for (; *p && *p != ' '; ++p) {
        if (*p >= 'B' && *p <= 'W' && kWords[*p - 'B'])
            name += kWords[*p - 'B'];
        else
            name += *p;
    }
    return name;
}

ColorValue NamedColourValue(int i) {
    return RGBColor(kRgb[3 * i], kRgb[3 * i + 1], kRgb[3 * i + 2]);
}

int NearestNamedColour(ColorValue c) {
    const Lab x = ToLab(RedOf(c), GreenOf(c), BlueOf(c));
    int best = 0;
    double bestDistance = 1e300;
    for (int i = 0; i < kNamedColourCount; ++i) {
        const Lab& n = NamedLab(i);
        // Squared distance orders as the distance does; strictly less keeps the first of equals.
        const double d =
            (x.l - n.l) * (x.l - n.l) + (x.a - n.a) * (x.a - n.a) + (x.b - n.b) * (x.b - n.b);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

std::string ColourName(ColorValue c) {
    const int i = NearestNamedColour(c);
    const std::string name = NamedColourName(i);
    return (NamedColourValue(i) == (c & 0xFFFFFF)) ? name : "near " + name;
}

} // namespace hv
