// A list of small pictures for list views, tree views and tab strips: the cells of a bitmap
// strip in the program's resources (magenta shows through), or pictures added one by one.
// Pictures are numbered from 1.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace skx {

class ImageList {
public:
    // The cells of the strip resource name, each cellWidth pixels wide; false when the
    // resource is missing.
    bool LoadStrip(const char* resourceName, int cellWidth);
    // An empty list of pictures of that size.
    bool Create(int width, int height);
    // Adds a picture (the list copies it); its number, or 0 on failure.
    int Add(HBITMAP picture, COLORREF transparent = RGB(255, 0, 255));
    int Count() const;
    HIMAGELIST Handle() const { return list_.get(); }

private:
    struct Deleter {
        void operator()(HIMAGELIST list) const {
            if (list) ImageList_Destroy(list);
        }
    };
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, Deleter> list_;
};

}  // namespace skx
