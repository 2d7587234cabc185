// The shipped program seen from another process: started on its own, found by
// its caption, clicked and read with messages, and closed.

#include "probe.hpp"
#include "support/expected_texts.hpp"
#include "test_options.hpp"

#include "layers/win32/handles.hpp"
#include "layers/win32/wide_text.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace temperament::wintest {
namespace {

struct Child {
    HWND window;
    std::wstring className;
    std::string text;
};

std::vector<Child> childrenOf(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    std::vector<Child> children;
    children.reserve(windows.size());
    for (HWND window : windows) {
        children.push_back({window, classOf(window), textOf(window)});
    }
    return children;
}

HWND childWithText(HWND parent, std::string_view text) {
    for (const Child& child : childrenOf(parent)) {
        if (child.text == text && IsWindowVisible(child.window)) return child.window;
    }
    return nullptr;
}

HWND visibleEdit(HWND parent) {
    for (const Child& child : childrenOf(parent)) {
        if (_wcsicmp(child.className.c_str(), L"Edit") == 0 && IsWindowVisible(child.window)) return child.window;
    }
    return nullptr;
}

}  // namespace

TEST(ShippedProgram, WorksWhenDrivenFromAnotherProcess) {
    const std::wstring& program = testOptions().program;
    ASSERT_FALSE(program.empty()) << "the test program needs --program=<temperament.exe>";
    ProgramProcess process(program);
    HWND window = process.window();

    HWND text = visibleEdit(window);
    ASSERT_NE(text, nullptr) << "the display box is there";
    EXPECT_TRUE(textOf(text).starts_with("Темпераментът е съвкупността")) << "first screen: the introduction";
    EXPECT_EQ(childrenOf(window).size(), 15u) << "13 controls, the hidden ones included, and the hidden labels that "
                                                 "name the two text boxes";

    HWND pavlov = childWithText(window, "Павлов");
    ASSERT_NE(pavlov, nullptr) << "the Pavlov option is there";
    SendMessageW(pavlov, BM_CLICK, 0, 0);
    EXPECT_EQ(textOf(text), test_support::pavlovText) << "Pavlov's text read from outside";
    HWND strong = childWithText(window, "Силен");
    ASSERT_NE(strong, nullptr) << "the strong box is shown";
    EXPECT_TRUE(SendMessageW(strong, BM_GETCHECK, 0, 0) == BST_CHECKED &&
                (childWithText(window, "Уравновесен") != nullptr) && (childWithText(window, "подвижен") != nullptr))
        << "three checked property boxes shown";
    SendMessageW(strong, BM_CLICK, 0, 0);
    EXPECT_TRUE(childWithText(window, "Слаб") == strong && (childWithText(window, "Уравновесен") == nullptr))
        << "unchecking the strong box renames it and hides the next";

    const std::optional<DWORD> status = process.close();
    ASSERT_TRUE(status.has_value()) << "closing the window ends the program";
    EXPECT_EQ(*status, DWORD{0}) << "exit status after closing";
}

}  // namespace temperament::wintest
