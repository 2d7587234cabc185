#pragma once
// Reading and driving windows the way a user or another program would: with
// messages, in this process or another.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace temperament::wintest {

// The window's class name ("Button", "#32770", ...).
[[nodiscard]] std::wstring classOf(HWND window);
// WM_GETTEXT, as UTF-8.
[[nodiscard]] std::string textOf(HWND window);
// LB_GETTEXT of every item, as UTF-8.
[[nodiscard]] std::vector<std::string> listItems(HWND listBox);
[[nodiscard]] bool checked(HWND button);
[[nodiscard]] RECT clientRect(HWND window);
// The window's rectangle in its parent's client coordinates.
[[nodiscard]] RECT rectInParent(HWND child);

// The window as it is drawn, frame and all, 32-bit pixels, with where its
// client area starts.
class Capture {
public:
    explicit Capture(HWND window);
    // The colour at a point of the client area.
    [[nodiscard]] COLORREF at(int x, int y) const;
    // The colour that most pixels of a client rectangle have.
    [[nodiscard]] COLORREF commonest(const RECT& area) const;
    // Writes the capture as a PNG file with Windows' own encoder (WIC).
    void savePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    POINT client_{};
    std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
};

[[nodiscard]] std::string colourName(COLORREF colour);

// The shipped program's window caption.
inline constexpr std::wstring_view programCaption = L"www.temperament.example  Психология - видове темперамент";

// The shipped program started in its own process, with its main window once
// shown (found by its caption). Throws std::runtime_error when it does not start
// or shows no window; a program left running is ended when this goes.
class ProgramProcess {
public:
    explicit ProgramProcess(const std::wstring& program, std::wstring_view caption = programCaption);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    [[nodiscard]] HANDLE handle() const noexcept { return process_; }
    [[nodiscard]] DWORD id() const noexcept { return id_; }
    [[nodiscard]] HWND window() const noexcept { return window_; }
    // Closes the window as a user would; the exit status, or nothing when the
    // program did not end within a minute.
    [[nodiscard]] std::optional<DWORD> close();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND window_ = nullptr;
};

}  // namespace temperament::wintest
