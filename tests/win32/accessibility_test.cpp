// What a Windows screen reader finds in the shipped program: its accessible
// objects through Active Accessibility (AccessibleObjectFromWindow and
// IAccessible, in this process, the program in its own), compared with the
// expected trees of tests/accessibility, which the Linux test compares with
// what AT-SPI gives. Wine's accessible objects of BUTTON and STATIC controls
// are the generic client object: no radio, check, label or graphic role, no
// checked or read-only state, and no default action; its window object
// answers nothing, so the title is read from the window's client object.
// Under Wine the test
// compares what they can say (every name, the order, the focus, the display
// box's role, state and text) and presses a button with BM_CLICK, as
// Windows' own default action of a button does.

#include "probe.hpp"
#include "session.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "layers/win32/wide_text.hpp"
#include "support/accessibility.hpp"

#include <oleacc.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

namespace temperament::wintest {
namespace {

using Microsoft::WRL::ComPtr;

bool underWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// What Wine's generic client object cannot say: the role of the window, a
// button or a static, and their checked and read-only states.
std::vector<std::string> asWineCanSay(std::vector<std::string> tree) {
    for (std::string& line : tree) {
        const std::size_t space = line.find(' ');
        const std::string role = line.substr(0, space);
        if (role != "window" && role != "label" && role != "image" && role != "radio" && role != "check") continue;
        line = "client" + line.substr(space);
        for (const std::string state : {" checked", " read-only"}) {
            if (line.ends_with(state) || line.find(state + " ") != std::string::npos) {
                line.erase(line.find(state), state.size());
            }
        }
    }
    return tree;
}

class Bstr {
public:
    Bstr() = default;
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* put() { return &text_; }
    [[nodiscard]] std::string utf8() const {
        return text_ == nullptr ? std::string() : win32::narrow(std::wstring(text_, SysStringLen(text_)));
    }

private:
    BSTR text_ = nullptr;
};

VARIANT self() {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = CHILDID_SELF;
    return id;
}

// (MinGW's oleacc library has IID_IAccessible as a DLL import, which read
// directly gives the bytes of a jump: __uuidof names the interface.)
ComPtr<IAccessible> accessibleOf(HWND window, LONG object) {
    ComPtr<IAccessible> accessible;
    const HRESULT result =
        AccessibleObjectFromWindow(window, static_cast<DWORD>(object), __uuidof(IAccessible), &accessible);
    if (FAILED(result) || !accessible) {
        throw std::runtime_error("no accessible object for a " + win32::narrow(classOf(window)) +
                                 " window: " + std::to_string(static_cast<unsigned long>(result)));
    }
    return accessible;
}

std::string nameOf(IAccessible& accessible) {
    Bstr name;
    (void)accessible.get_accName(self(), name.put());
    return name.utf8();
}

LONG numberOf(IAccessible& accessible, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
    VARIANT value{};
    if (FAILED((accessible.*get)(self(), &value)) || value.vt != VT_I4) return 0;
    return value.lVal;
}

const std::map<LONG, std::string>& roleNames() {
    static const std::map<LONG, std::string> names{
        {ROLE_SYSTEM_WINDOW, "window"},     {ROLE_SYSTEM_STATICTEXT, "label"},  {ROLE_SYSTEM_GRAPHIC, "image"},
        {ROLE_SYSTEM_RADIOBUTTON, "radio"}, {ROLE_SYSTEM_CHECKBUTTON, "check"}, {ROLE_SYSTEM_TEXT, "text"},
        {ROLE_SYSTEM_CLIENT, "client"}};
    return names;
}

// One shown control as a screen reader finds it.
struct Found {
    HWND window;
    ComPtr<IAccessible> accessible;
    std::string name;
    POINT place;
};

// The program's window and its shown controls in reading order.
std::vector<Found> shownControls(HWND window) {
    std::vector<Found> shown;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ComPtr<IAccessible> accessible = accessibleOf(child, OBJID_CLIENT);
        if (numberOf(*accessible.Get(), &IAccessible::get_accState) & STATE_SYSTEM_INVISIBLE) continue;
        LONG left = 0;
        LONG top = 0;
        LONG width = 0;
        LONG height = 0;
        (void)accessible->accLocation(&left, &top, &width, &height, self());
        shown.push_back({child, accessible, nameOf(*accessible.Get()), {left, top}});
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Found& a, const Found& b) {
        return a.place.y != b.place.y ? a.place.y < b.place.y : a.place.x < b.place.x;
    });
    return shown;
}

std::vector<std::string> describe(IAccessible& accessible) {
    const LONG role = numberOf(accessible, &IAccessible::get_accRole);
    const auto known = roleNames().find(role);
    std::string line =
        (known != roleNames().end() ? known->second : "role" + std::to_string(role)) + " \"" + nameOf(accessible) + '"';
    const LONG state = numberOf(accessible, &IAccessible::get_accState);
    if (state & STATE_SYSTEM_CHECKED) line += " checked";
    if (state & STATE_SYSTEM_FOCUSED) line += " focused";
    if (state & STATE_SYSTEM_READONLY) line += " read-only";
    std::vector<std::string> lines{line};
    if (role == ROLE_SYSTEM_TEXT) {
        Bstr value;
        (void)accessible.get_accValue(self(), value.put());
        const std::string text = value.utf8();
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            lines.push_back("  | \"" + text.substr(start, end - start) + '"');
            start = end + 2;
        }
    }
    return lines;
}

std::vector<std::string> readTree(HWND window) {
    // Wine's window object answers nothing; its client object has the title.
    std::vector<std::string> tree = describe(*accessibleOf(window, underWine() ? OBJID_CLIENT : OBJID_WINDOW).Get());
    for (const Found& control : shownControls(window)) {
        const std::vector<std::string> lines = describe(*control.accessible.Get());
        tree.insert(tree.end(), lines.begin(), lines.end());
    }
    return tree;
}

Found shownNamed(HWND window, const std::string& name) {
    for (Found& control : shownControls(window)) {
        if (control.name == name) return control;
    }
    throw std::runtime_error("no shown control is named \"" + name + '"');
}

// Posted to the control with the keyboard focus, as the keyboard would.
void pressKey(HWND window, headless::Key key) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) || thread.hwndFocus == nullptr) {
        throw std::runtime_error("the program's window has no focus");
    }
    postKey(thread.hwndFocus, key);
}

// The control's default action; Wine's button objects have none, so there the
// button is pressed with the message Windows' own default action sends.
void doDefaultAction(const Found& control) {
    const HRESULT result = control.accessible->accDoDefaultAction(self());
    if (result == E_NOTIMPL && underWine()) {
        SendMessageW(control.window, BM_CLICK, 0, 0);
        return;
    }
    if (FAILED(result)) throw std::runtime_error("accDoDefaultAction failed on \"" + control.name + '"');
}

void perform(HWND window, const std::string& text) {
    const test_support::TreeAction action = test_support::parseTreeAction(text);
    switch (action.kind) {
    case test_support::TreeAction::Kind::Start: return;
    case test_support::TreeAction::Kind::Key: return pressKey(window, action.key);
    case test_support::TreeAction::Kind::Click: return postClick(shownNamed(window, action.name).window);
    case test_support::TreeAction::Kind::Toggle:
    case test_support::TreeAction::Kind::Press: return doDefaultAction(shownNamed(window, action.name));
    }
}

// The tree once it is the expected one, or as last read when it has not
// become so in a few seconds (the program takes posted input in its own time).
std::vector<std::string> treeAfter(HWND window, const std::vector<std::string>& expected) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<std::string> found = readTree(window);
    while (found != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        found = readTree(window);
    }
    return found;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

TEST(Accessibility, AScreenReaderFindsTheExpectedTrees) {
    const std::wstring& program = testOptions().program;
    ASSERT_FALSE(program.empty()) << "the test program needs --program=<temperament.exe>";
    const std::vector<std::filesystem::path> files = test_support::accessibleScenarioFiles(TEMPERAMENT_TREES, ".tree");
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        ProgramProcess process(program);
        for (const test_support::AccessibleStep& step : test_support::readAccessibleScenario(file).steps) {
            perform(process.window(), step.action);
            const std::vector<std::string> expected = underWine() ? asWineCanSay(step.lines) : step.lines;
            const std::vector<std::string> found = treeAfter(process.window(), expected);
            ASSERT_EQ(joined(found), joined(expected)) << file.filename().string() << ", after " << step.action;
        }
        const std::optional<DWORD> status = process.close();
        EXPECT_EQ(status, std::optional<DWORD>{0});
    }
}

// In the program's own process, where its Clicks are seen: the default action
// of a button is exactly one Click, and that of a hidden box none.
TEST(Accessibility, TheDefaultActionOfAButtonIsOneClick) {
    Session session;
    const int status = session.run([](win32::Window& window, ui::MainForm& form) {
        const auto act = [&](const ui::Control& control) {
            HWND button = nativeOf(window.handle(), form, control);
            doDefaultAction({button, accessibleOf(button, OBJID_CLIENT), control.memberName(), {}});
            pump(window.handle());
        };
        act(form.Option1().Item(2));
        act(form.Check1().Item(1));  // unbalanced: the mobility box is hidden
        act(form.Check1().Item(2));
        act(form.Check1().Item(1));
        act(form.Option1().Item(2));
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.clicks(),
              (std::vector<std::string>{"Option1_Click(2)", "Check1_Click(1)", "Check1_Click(1)", "Option1_Click(2)"}));
}

// Wine's accessible object of an EDIT sets its value with WM_SETTEXT, read-only
// or not; the display box keeps the program's text.
TEST(Accessibility, NoOneElseWritesTheDisplayBox) {
    const std::wstring& program = testOptions().program;
    ASSERT_FALSE(program.empty()) << "the test program needs --program=<temperament.exe>";
    ProgramProcess process(program);
    const Found display = shownNamed(process.window(), "Текст за темперамента");
    const std::string before = textOf(display.window);
    ASSERT_FALSE(before.empty());

    BSTR replacement = SysAllocString(L"x");
    (void)display.accessible->put_accValue(self(), replacement);
    SysFreeString(replacement);
    SendMessageW(display.window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"y"));
    SendMessageW(display.window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"z"));
    EXPECT_EQ(textOf(display.window), before);
    EXPECT_EQ(process.close(), std::optional<DWORD>{0});
}

}  // namespace
}  // namespace temperament::wintest
