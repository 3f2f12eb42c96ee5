#include "ImageList.h"

#include "Form.h"

namespace skx {

namespace {
constexpr COLORREF Magenta = RGB(255, 0, 255);
}

bool ImageList::LoadStrip(const char* resourceName, int cellWidth) {
    LoadControlClasses();
    list_.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), resourceName, cellWidth, 1, Magenta, IMAGE_BITMAP,
                                     LR_CREATEDIBSECTION));
    return list_ != nullptr;
}

bool ImageList::Create(int width, int height) {
    LoadControlClasses();
    list_.reset(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4));
    return list_ != nullptr;
}

int ImageList::Add(HBITMAP picture, COLORREF transparent) {
    if (!list_ || !picture) return 0;
    int at = ImageList_AddMasked(list_.get(), picture, transparent);
    return at < 0 ? 0 : at + 1;
}

int ImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

}  // namespace skx
