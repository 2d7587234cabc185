#pragma once
// Owners for the Windows handles and COM pointers the layer creates: each is
// released exactly once, by scope. Child windows are the exception by design:
// Windows destroys them with their parent, so only the top-level window is owned.

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

// A COM interface pointer that releases its reference at the end of its scope.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    void reset() noexcept {
        if (pointer_ != nullptr) pointer_->Release();
        pointer_ = nullptr;
    }
    // For the out parameter of a call that hands over a new reference.
    [[nodiscard]] Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    [[nodiscard]] Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

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

}  // namespace temperament::win32
