#include "probe.hpp"

#include "layers/win32/handles.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace temperament::wintest {

using win32::check;
using win32::narrow;

std::wstring classOf(HWND window) {
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return {name.data(), static_cast<std::size_t>(std::max(length, 0))};
}

std::string textOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return narrow(text);
}

std::vector<std::string> listItems(HWND listBox) {
    std::vector<std::string> items;
    const auto count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(listBox, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(
            static_cast<std::size_t>(SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(narrow(item));
    }
    return items;
}

bool checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

RECT rectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

Capture::Capture(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    client_ = {origin.x - frame.left, origin.y - frame.top};
    width_ = frame.right - frame.left;
    height_ = frame.bottom - frame.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC drawn = GetWindowDC(window);
    win32::OwnedBitmap bitmap(CreateDIBSection(drawn, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC memory = CreateCompatibleDC(drawn);
    if (!bitmap || memory == nullptr) win32::throwLastError("no bitmap for the capture");
    HGDIOBJ previous = SelectObject(memory, bitmap.get());
    const BOOL copied = BitBlt(memory, 0, 0, width_, height_, drawn, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, drawn);
    if (!copied) win32::throwLastError("the window's pixels cannot be read");
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(first, first + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

COLORREF Capture::at(int x, int y) const {
    const int px = client_.x + x;
    const int py = client_.y + y;
    if (px < 0 || py < 0 || px >= width_ || py >= height_) return CLR_INVALID;
    const std::uint32_t pixel =
        pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(px)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

COLORREF Capture::commonest(const RECT& area) const {
    std::map<COLORREF, int> counts;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) ++counts[at(x, y)];
    }
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

void Capture::savePng(const std::wstring& path) const {
    using Microsoft::WRL::ComPtr;
    ComPtr<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, &factory),
          "WIC");
    ComPtr<IWICStream> stream;
    check(factory->CreateStream(&stream), "WIC stream");
    check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "PNG file");
    ComPtr<IWICBitmapEncoder> encoder;
    check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder), "PNG encoder");
    check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "PNG encoder");
    ComPtr<IWICBitmapFrameEncode> frame;
    check(encoder->CreateNewFrame(&frame, nullptr), "PNG frame");
    check(frame->Initialize(nullptr), "PNG frame");
    check(frame->SetSize(static_cast<UINT>(width_), static_cast<UINT>(height_)), "PNG size");
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    check(frame->SetPixelFormat(&format), "PNG pixel format");
    if (format != GUID_WICPixelFormat32bppBGR) throw std::runtime_error("PNG encoder wants another pixel format");
    std::vector<std::uint32_t> pixels = pixels_;
    check(frame->WritePixels(static_cast<UINT>(height_), static_cast<UINT>(width_) * 4,
                             static_cast<UINT>(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data())),
          "PNG pixels");
    check(frame->Commit(), "PNG frame");
    check(encoder->Commit(), "PNG file");
}

std::string colourName(COLORREF colour) {
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "RGB(%u, %u, %u)", unsigned{GetRValue(colour)}, unsigned{GetGValue(colour)},
                  unsigned{GetBValue(colour)});
    return name.data();
}

ProgramProcess::ProgramProcess(const std::wstring& program, std::wstring_view caption) {
    const std::wstring title(caption);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        win32::throwLastError("the program does not start");
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    id_ = process.dwProcessId;
    WaitForInputIdle(process_, 60000);
    // Polling, as the window is another process's.
    for (int attempt = 0; attempt < 3000 && window_ == nullptr; ++attempt) {
        window_ = FindWindowW(nullptr, title.c_str());
        DWORD owner = 0;
        if (window_ != nullptr) GetWindowThreadProcessId(window_, &owner);
        if (window_ != nullptr && (!IsWindowVisible(window_) || owner != id_)) window_ = nullptr;
        if (window_ == nullptr && WaitForSingleObject(process_, 20) == WAIT_OBJECT_0) break;
    }
    if (window_ == nullptr) {
        TerminateProcess(process_, 3);
        CloseHandle(process_);
        throw std::runtime_error("the program's window is not found by its caption");
    }
}

ProgramProcess::~ProgramProcess() {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 3);
    CloseHandle(process_);
}

std::optional<DWORD> ProgramProcess::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, 60000) != WAIT_OBJECT_0) return std::nullopt;
    DWORD status = 1;
    if (!GetExitCodeProcess(process_, &status)) return std::nullopt;
    return status;
}

}  // namespace temperament::wintest
