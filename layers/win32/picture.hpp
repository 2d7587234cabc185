#pragma once
// A picture decoded by Windows itself (OLE's picture object), kept for drawing.
// OLE is loaded and COM initialised on this thread when the first one is made.

#include "layers/win32/handles.hpp"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <span>

namespace temperament::win32 {

class Picture {
public:
    // Decodes a JPEG (or BMP, GIF) image; throws WindowsError when Windows cannot.
    explicit Picture(std::span<const unsigned char> encoded);

    // Size in pixels as stored in the image.
    [[nodiscard]] SIZE pixels() const noexcept { return pixels_; }
    // Draws the picture with its top-left corner at (x, y), its pixels scaled
    // from 96 dots per inch to `dpi` like the rest of the window.
    void draw(HDC dc, int x, int y, int dpi) const;

private:
    ComApartment apartment_;  // declared first: COM outlives the picture object
    Microsoft::WRL::ComPtr<IPicture> picture_;
    SIZE pixels_{};
    OLE_XSIZE_HIMETRIC width_ = 0;
    OLE_YSIZE_HIMETRIC height_ = 0;
};

// The icon image of `pixels` x `pixels` made from an icon file's bytes
// (the entry nearest that size, scaled if need be); throws when malformed.
[[nodiscard]] OwnedIcon iconFromFile(std::span<const unsigned char> file, int pixels);

}  // namespace temperament::win32
