// The error path of the program as it runs, on the layer's own message loop:
// an error in a handler, and a picture Windows cannot decode, are reported in
// a message box that names what failed, in the words every layer's report
// has, and end the program with a non-zero status; nothing after the error is
// dispatched.

#include "probe.hpp"
#include "window_driver.hpp"

#include "app/project.hpp"
#include "layers/win32/layer.hpp"
#include "support/screens.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <thread>

namespace temperament::wintest {
namespace {

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

struct Report {
    std::string title;
    std::string text;
};

// Runs `project` on the Win32 layer while another thread plays the user: once
// the window is shown, it clicks the option buttons `options` in turn
// (BM_CLICK, posted), then closes every report box the program shows,
// keeping its title and text, and the window itself should it outlive a
// minute. The program's exit status.
int runClicking(const runtime::ProjectDescription& project, const std::vector<std::int16_t>& options,
                std::vector<Report>& reports) {
    const std::shared_ptr<ui::MainForm> form = project.createForm(project);
    const std::jthread user([&] {
        HWND window = nullptr;
        for (int wait = 0; !IsWindowVisible(window) && wait < 6000; ++wait) {
            window = FindWindowW(nullptr, std::wstring(programCaption).c_str());
            if (!IsWindowVisible(window)) Sleep(10);
        }
        for (const std::int16_t option : options) {
            PostMessageW(nativeOf(window, *form, form->Option1().Item(option)), BM_CLICK, 0, 0);
        }
        HWND closed = nullptr;
        for (int wait = 0; IsWindow(window) && wait < 6000; ++wait) {
            HWND box = FindWindowW(L"#32770", nullptr);
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (box != closed && process == GetCurrentProcessId() && IsWindowVisible(box)) {
                Report& report = reports.emplace_back(Report{textOf(box), {}});
                for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                    if (_wcsicmp(classOf(child).c_str(), L"Static") == 0) report.text += textOf(child);
                }
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                closed = box;
            }
            Sleep(10);
        }
        if (IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    });
    win32::Layer layer;
    return runtime::run(project, layer);
}

}  // namespace

TEST(ErrorReport, AnErrorInAHandlerIsReportedAndEndsTheProgram) {
    std::vector<std::string> clicks;
    const runtime::ProjectDescription project = test_support::logClicks(
        test_support::aroundClicks(app::describeProject(),
                                   [](const std::string& click, ui::MainForm&, const auto& handler) {
                                       if (click.starts_with("Option1_"))
                                           (void)(runtime::Int16{32767} + runtime::Int16{1});
                                       handler();
                                   }),
        clicks);
    std::vector<Report> reports;
    EXPECT_EQ(runClicking(project, {0, 1}, reports), runtime::failureStatus)
        << "the program ends with the failure status";
    EXPECT_EQ(clicks,
              (std::vector<std::string>{"Check1_Click(0)", "Check1_Click(1)", "Check1_Click(2)", "Option1_Click(0)"}))
        << "Load's Clicks, the one that fails, and nothing after the error";
    ASSERT_EQ(reports.size(), 1u) << "one report";
    const std::string& text = reports[0].text;
    EXPECT_TRUE(contains(text, "препълване") && contains(text, "Int16") && contains(text, "32767 + 1"))
        << "the report names the overflow: " << text;
    EXPECT_TRUE(text.ends_with(runtime::reportClosing)) << "the closing line every layer's report has: " << text;
    EXPECT_EQ(reports[0].title, runtime::reportTitle) << "the report's title, every layer's";
}

TEST(ErrorReport, APictureWindowsCannotDecodeIsReportedAndEndsTheProgram) {
    // The design data with a picture that is not an image.
    const std::array<unsigned char, 16> notAPicture = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F',
                                                       'I',  'F',  0,    1,    2, 3,  4,   5};
    std::vector<runtime::EmbeddedFile> files(runtime::embeddedFiles().begin(), runtime::embeddedFiles().end());
    for (runtime::EmbeddedFile& file : files) {
        if (file.name == "faces.jpg") file.bytes = notAPicture;
    }
    runtime::ProjectDescription project = app::describeProject();
    project.designData = files;
    std::vector<Report> reports;
    // Hidden on the first screen, the picture is decoded when Hippocrates shows it.
    EXPECT_EQ(runClicking(project, {0}, reports), runtime::failureStatus) << "a broken picture ends the program";
    ASSERT_EQ(reports.size(), 1u) << "one report";
    EXPECT_TRUE(contains(reports[0].text, "картината")) << "the report names the picture: " << reports[0].text;
}

}  // namespace temperament::wintest
