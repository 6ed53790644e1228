// The button faces: sizes the windows are laid out for, one shape for all three states with
// no hole of the mask colour inside it, and states that look different.
#include "assets/button_faces.h"
#include <gtest/gtest.h>
#include <string>

namespace hv::assets {

namespace {

int Differing(const Image& a, const Image& b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i];
    return n;
}

int Visible(const Image& img) {
    int n = 0;
    for (ColorValue c : img.pixels)
        n += c != kButtonMaskColor;
    return n;
}

} // namespace

TEST(ButtonFaces, SizesAreThoseTheWindowsAreLaidOutFor) {
    const std::pair<std::string, std::pair<int, int>> sizes[] = {
        {"cmd_insert", {28, 22}},   {"cmd_copy", {28, 22}},      {"cmd_capture", {28, 22}},
        {"cmd_about", {28, 22}},    {"cmd_rgb_menu", {112, 14}}, {"cmd_insert_fav", {33, 16}},
        {"cmd_copy_fav", {33, 16}}, {"cmd_ac_fav", {33, 16}},    {"cmd_ok", {48, 22}},
        {"cmd_web", {64, 22}}};
    for (const auto& [file, size] : sizes) {
        const ButtonFace* face = nullptr;
        for (const ButtonFace& f : kButtonFaces)
            if (file == f.file) face = &f;
        ASSERT_NE(face, nullptr) << file;
        for (FaceState s : {FaceState::Up, FaceState::Over, FaceState::Down}) {
            const Image img = face->draw(s);
            EXPECT_EQ(img.width, size.first) << file;
            EXPECT_EQ(img.height, size.second) << file;
        }
    }
}

TEST(ButtonFaces, EveryStateHasThePlatesShapeWithoutHoles) {
    for (const ButtonFace& face : kButtonFaces) {
        const Image plate = ButtonPlate(face.width, face.height, FaceState::Up);
        // Rounded corners are left to the window behind.
        EXPECT_EQ(plate.at(0, 0), kButtonMaskColor) << face.file;
        EXPECT_EQ(plate.at(face.width - 1, face.height - 1), kButtonMaskColor) << face.file;
        for (FaceState s : {FaceState::Up, FaceState::Over, FaceState::Down}) {
            const Image img = face.draw(s);
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < img.width; ++x)
                    ASSERT_EQ(img.at(x, y) == kButtonMaskColor, plate.at(x, y) == kButtonMaskColor)
                        << face.file << " state " << int(s) << " at " << x << "," << y;
        }
    }
}

TEST(ButtonFaces, StatesDifferVisiblyAndEachCarriesItsSign) {
    for (const ButtonFace& face : kButtonFaces) {
        const Image up = face.draw(FaceState::Up), over = face.draw(FaceState::Over),
                    down = face.draw(FaceState::Down);
        const int area = Visible(up);
        // Most of the plate changes from state to state, not a few pixels.
        EXPECT_GT(Differing(up, over), area / 2) << face.file;
        EXPECT_GT(Differing(over, down), area / 2) << face.file;
        EXPECT_GT(Differing(up, down), area / 2) << face.file;
        // The icon or word covers a fair part of the plate.
        EXPECT_GT(Differing(up, ButtonPlate(face.width, face.height, FaceState::Up)), area / 16)
            << face.file;
    }
}

} // namespace hv::assets
