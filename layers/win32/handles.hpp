#pragma once
// Owners for the Windows handles the layer creates: each is released exactly
// once, by scope. Child windows are the exception by design: Windows destroys
// them with their parent, so only the top-level window is owned. COM interface
// pointers are held in WRL's Microsoft::WRL::ComPtr (<wrl/client.h>).

#include <windows.h>

#include <utility>

namespace temperament::win32 {

template <class Handle, auto release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) noexcept : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    void reset() noexcept {
        if (handle_ != nullptr) release(handle_);
        handle_ = nullptr;
    }
    // Gives the handle up without releasing it (Windows already did).
    Handle detach() noexcept { return std::exchange(handle_, nullptr); }
    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

inline void deleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void destroyIcon(HICON icon) noexcept { DestroyIcon(icon); }
inline void destroyWindow(HWND window) noexcept { DestroyWindow(window); }
inline void globalFree(HGLOBAL memory) noexcept { GlobalFree(memory); }
inline void deleteDc(HDC dc) noexcept { DeleteDC(dc); }

using OwnedFont = Owned<HFONT, deleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, deleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, deleteGdiObject>;
using OwnedIcon = Owned<HICON, destroyIcon>;
using OwnedWindow = Owned<HWND, destroyWindow>;
using OwnedGlobal = Owned<HGLOBAL, globalFree>;
using OwnedDc = Owned<HDC, deleteDc>;

// COM on this thread for the object's lifetime (ole32 is loaded on first use:
// the program does not import it).
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_ = false;
};

// CoCreateInstance of an in-process object, through the ole32 loaded on first
// use; needs a ComApartment on this thread.
HRESULT createComObject(REFCLSID classId, REFIID interfaceId, void** object);

}  // namespace temperament::win32
