#include "layers/win32/picture.hpp"

#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace temperament::win32 {
namespace {

// OLE is loaded when the first picture is decoded, not at start: the first
// screen shows none, and a start that needs neither ole32 and oleaut32 nor
// COM's apartment paints sooner.
struct OleFunctions {
    decltype(&CoInitializeEx) coInitializeEx;
    decltype(&CoUninitialize) coUninitialize;
    decltype(&CoCreateInstance) coCreateInstance;
    decltype(&CreateStreamOnHGlobal) createStreamOnHGlobal;
    decltype(&OleLoadPicture) oleLoadPicture;
};

HMODULE loadSystemLibrary(const std::wstring& name) {
    // From the system folder only, never from the program's or the current one.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) throwLastError("не може да се намери системната папка");
    path.resize(length);
    HMODULE module = LoadLibraryW((path + L"\\" + name).c_str());
    if (module == nullptr) throwLastError("не може да се зареди " + narrow(name));
    return module;
}

template <class Function>
Function procedure(HMODULE module, const char* name) {
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) throwLastError(std::string("не може да се намери ") + name);
    // GetProcAddress returns every function as FARPROC.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// Loaded once, on the user-interface thread, and kept until the program ends.
const OleFunctions& ole() {
    static const OleFunctions functions = [] {
        HMODULE ole32 = loadSystemLibrary(L"ole32.dll");
        HMODULE oleaut32 = loadSystemLibrary(L"oleaut32.dll");
        return OleFunctions{procedure<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx"),
                            procedure<decltype(&CoUninitialize)>(ole32, "CoUninitialize"),
                            procedure<decltype(&CoCreateInstance)>(ole32, "CoCreateInstance"),
                            procedure<decltype(&CreateStreamOnHGlobal)>(ole32, "CreateStreamOnHGlobal"),
                            procedure<decltype(&OleLoadPicture)>(oleaut32, "OleLoadPicture")};
    }();
    return functions;
}

}  // namespace

ComApartment::ComApartment() {
    check(ole().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "не може да се подготви COM");
    initialized_ = true;
}

ComApartment::~ComApartment() {
    if (initialized_) ole().coUninitialize();
}

HRESULT createComObject(REFCLSID classId, REFIID interfaceId, void** object) {
    return ole().coCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

Picture::Picture(std::span<const unsigned char> encoded) {
    const std::string what = "не може да се прочете картината";
    if (encoded.empty() || encoded.size() > std::size_t{64} * 1024 * 1024)
        throw std::runtime_error(what + ": няма данни");
    OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, encoded.size()));
    if (!memory) throwLastError(what);
    void* bytes = GlobalLock(memory.get());
    if (bytes == nullptr) throwLastError(what);
    std::memcpy(bytes, encoded.data(), encoded.size());
    GlobalUnlock(memory.get());

    Microsoft::WRL::ComPtr<IStream> stream;
    check(ole().createStreamOnHGlobal(memory.get(), TRUE, &stream), what);
    memory.detach();  // the stream frees it now
    check(ole().oleLoadPicture(stream.Get(), static_cast<LONG>(encoded.size()), FALSE, IID_IPicture, &picture_), what);
    check(picture_->get_Width(&width_), what);
    check(picture_->get_Height(&height_), what);

    OLE_HANDLE handle = 0;
    check(picture_->get_Handle(&handle), what);
    BITMAP bitmap{};
    if (GetObjectW(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof bitmap, &bitmap) == 0) {
        throwLastError(what);
    }
    pixels_ = {bitmap.bmWidth, bitmap.bmHeight};
}

void Picture::draw(HDC dc, int x, int y, int dpi) const {
    const int cx = MulDiv(pixels_.cx, dpi, 96);
    const int cy = MulDiv(pixels_.cy, dpi, 96);
    // HIMETRIC runs bottom-up: start at the bottom row with a negative height.
    check(picture_->Render(dc, x, y, cx, cy, 0, height_, width_, -height_, nullptr),
          "не може да се нарисува картината");
}

namespace {

std::uint32_t read32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
std::uint16_t read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

OwnedIcon iconFromFile(std::span<const unsigned char> file, int pixels) {
    const std::string what = "иконата на прозореца е повредена";
    constexpr std::size_t headerSize = 6;
    constexpr std::size_t entrySize = 16;
    if (file.size() < headerSize || read16(file.data()) != 0 || read16(&file[2]) != 1) throw std::runtime_error(what);
    const std::size_t count = read16(&file[4]);
    if (count == 0 || file.size() < headerSize + count * entrySize) throw std::runtime_error(what);

    const unsigned char* best = nullptr;
    int bestDistance = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* entry = &file[headerSize + i * entrySize];
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int distance = std::abs(width - pixels);
        if (best == nullptr || distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
    }
    const std::uint32_t length = read32(best + 8);
    const std::uint32_t offset = read32(best + 12);
    if (length == 0 || offset > file.size() || length > file.size() - offset) throw std::runtime_error(what);

    // CreateIconFromResourceEx reads but does not write the image.
    auto* image = const_cast<unsigned char*>(&file[offset]);
    HICON icon = CreateIconFromResourceEx(image, length, TRUE, 0x00030000, pixels, pixels, LR_DEFAULTCOLOR);
    if (icon == nullptr) throwLastError(what);
    return OwnedIcon(icon);
}

}  // namespace temperament::win32
