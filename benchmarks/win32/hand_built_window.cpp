// The program's first screen built by hand with the plain Win32 API: the same
// controls, texts, font, colours and places at 96 DPI, made in code with no
// design data, no model and no observers, in a dialog-class window with the
// dialog manager's keyboard, as the program's. What the program costs beyond
// this is the cost of its architecture; the start-up, memory and click
// measurements compare the two, and a test compares their screens.
//
// Only the shown controls are made, plus the three property boxes, which a
// click on the third option button shows; that click writes the third
// classification into the display box, and one on the second the second, so
// the click measurement can alternate. The texts come from the expected
// screens (hand_built_texts.hpp).

#include "hand_built_texts.hpp"

#include <windows.h>

#include <array>

namespace {

// Control ids, clear of the dialog manager's IDOK and IDCANCEL.
constexpr int displayId = 100;
constexpr int titleId = 101;
constexpr int firstOption = 110;
constexpr int secondOption = 111;
constexpr int thirdOption = 112;
constexpr int firstBox = 120;

HWND display = nullptr;
std::array<HWND, 3> boxes{};
HBRUSH background = nullptr;
HBRUSH titleBrush = nullptr;
HBRUSH optionBrush = nullptr;
HBRUSH boxBrush = nullptr;
HBRUSH displayBrush = nullptr;

constexpr COLORREF titleColour = RGB(255, 192, 128);
constexpr COLORREF optionColour = RGB(255, 128, 0);
constexpr COLORREF boxColour = RGB(128, 255, 128);

HWND child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD extendedStyle, RECT r,
           int id, HFONT font) {
    HWND window = CreateWindowExW(extendedStyle, windowClass, text, WS_CHILD | style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

LRESULT paintWith(HDC dc, COLORREF text, COLORREF colour, HBRUSH brush) {
    SetTextColor(dc, text);
    SetBkColor(dc, colour);
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORDLG: return reinterpret_cast<LRESULT>(background);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto* const dc = reinterpret_cast<HDC>(wParam);
        auto* const control = reinterpret_cast<HWND>(lParam);
        const int id = GetDlgCtrlID(control);
        if (id == displayId) {
            return paintWith(dc, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), displayBrush);
        }
        if (id == titleId) return paintWith(dc, GetSysColor(COLOR_BTNTEXT), titleColour, titleBrush);
        if (id >= firstOption && id <= thirdOption) {
            return paintWith(dc, GetSysColor(COLOR_BTNTEXT), optionColour, optionBrush);
        }
        if (id >= firstBox && id < firstBox + 3) return paintWith(dc, GetSysColor(COLOR_BTNTEXT), boxColour, boxBrush);
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == thirdOption) {
            SetWindowTextW(display, hand_built::thirdText);
            for (HWND box : boxes) ShowWindow(box, SW_SHOWNA);
        } else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == secondOption) {
            SetWindowTextW(display, hand_built::secondText);
            for (HWND box : boxes) ShowWindow(box, SW_HIDE);
        }
        return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefDlgProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    LOGFONTW design{};
    design.lfHeight = -16;  // 12 points at 96 DPI
    design.lfWeight = FW_NORMAL;
    design.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyW(design.lfFaceName, L"Times New Roman");
    HFONT font = CreateFontIndirectW(&design);
    background = CreateSolidBrush(RGB(192, 192, 255));
    titleBrush = CreateSolidBrush(titleColour);
    optionBrush = CreateSolidBrush(optionColour);
    boxBrush = CreateSolidBrush(boxColour);
    displayBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"HandBuiltWindow";
    if (RegisterClassExW(&windowClass) == 0) return 1;

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, 461, 387};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, hand_built::caption, style, work.left + (work.right - work.left - width) / 2,
        work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    constexpr int iconResource = 1;
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);

    // In tab order, which is the dialog manager's Z order.
    display =
        child(window, L"EDIT", hand_built::introduction,
              WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL,
              WS_EX_CLIENTEDGE, {8, 256, 457, 377}, displayId, font);
    child(window, L"STATIC", hand_built::title, WS_VISIBLE | WS_GROUP | SS_CENTER | SS_NOPREFIX, 0, {80, 0, 385, 25},
          titleId, font);
    for (int i = 0; i < 3; ++i) {
        const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
        child(window, L"BUTTON", hand_built::options.at(i), WS_VISIBLE | BS_AUTORADIOBUTTON | first, 0,
              {232, 72 + 24 * i, 321, 91 + 24 * i}, firstOption + i, font);
    }
    constexpr std::array<RECT, 3> boxPlaces{RECT{328, 72, 433, 97}, RECT{328, 104, 457, 129}, RECT{328, 136, 457, 161}};
    for (int i = 0; i < 3; ++i) {
        boxes.at(i) = child(window, L"BUTTON", hand_built::boxes.at(i), WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0,
                            boxPlaces.at(i), firstBox + i, font);
        SendMessageW(boxes.at(i), BM_SETCHECK, hand_built::boxesChecked.at(i) ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    // Activation puts the focus in the display box, its whole text selected;
    // the first screen shows it unselected, read from the top.
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SendMessageW(display, EM_SETSEL, 0, 0);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
