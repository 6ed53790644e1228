// Pictures that show the bitmap of an OLE picture object (a screen grab) in place, and picture
// objects made from bitmaps.
#include "picture.h"
#include <olectl.h>

namespace hv::rt {

std::shared_ptr<Picture> Picture::FromPictureObject(ComPtr<IPictureDisp> object) {
    const ComPtr<IPicture> picture = QueryAs<IPicture>(object);
    OLE_HANDLE handle = 0, palette = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (!picture || FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle)) || FAILED(picture->get_hPal(&palette)))
        return nullptr;
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm)) return nullptr;

    std::shared_ptr<Picture> pic(new Picture);
    pic->objectDc_.reset(CreateCompatibleDC(nullptr));
    if (!pic->objectDc_) return nullptr;
    pic->oldBitmap_ = SelectObject(pic->objectDc_.get(), bitmap);
    if (!pic->oldBitmap_) return nullptr; // selected elsewhere: not ours to show
    if (palette) {
        pic->oldPalette_ =
            SelectPalette(pic->objectDc_.get(),
                          reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette)), FALSE);
        RealizePalette(pic->objectDc_.get());
    }
    pic->object_ = std::move(object);
    pic->objectBitmap_ = bitmap;
    pic->SetSize(bm.bmWidth, bm.bmHeight);
    return pic;
}

Picture::~Picture() {
    // The object deletes its bitmap and palette with its last reference, and a bitmap still
    // selected into a context cannot be deleted: put back what the context had first.
    if (objectDc_) {
        if (oldBitmap_) SelectObject(objectDc_.get(), oldBitmap_);
        if (oldPalette_) SelectPalette(objectDc_.get(), oldPalette_, FALSE);
        objectDc_.reset();
    }
    object_.Reset();
}

ComPtr<IPictureDisp> BitmapToPicture(UniqueBitmap bitmap, UniquePalette palette) {
    if (!bitmap) return nullptr;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.get();
    desc.bmp.hpal = palette.get();
    ComPtr<IDispatch> object;
    OleCreatePictureIndirect(&desc, IID_IDispatch, TRUE,
                             reinterpret_cast<void**>(object.ReleaseAndGetAddressOf()));
    if (!object) return nullptr; // the handles are still ours, and go here
    // The object owns them now and deletes them with its last reference.
    bitmap.release();
    palette.release();
    return QueryAs<IPictureDisp>(object);
}

} // namespace hv::rt
