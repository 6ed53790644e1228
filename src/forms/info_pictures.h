// The pictures of the About, support and donation windows: the drawn art from the resources
// with its words set at run time in the system's fonts.
#pragma once
#include "../runtime/picture.h"

namespace hv::forms {

// The add-in's icon, the command-bar button's picture, on the given background colour.
rt::PicturePtr AddinIconPicture(ColorValue background);
rt::PicturePtr MakerLogoPicture();
// The sheet that explains the donation scheme (355 x 316).
rt::PicturePtr ExplanationPicture();
// The "Givesome" badge of the About window (116 x 20).
rt::PicturePtr GivesomeBadgePicture();
// The link to the maker's page on the support and donation windows (76 x 20).
rt::PicturePtr DonateLinkPicture();

} // namespace hv::forms
