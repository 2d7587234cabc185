// The error path: an error in a handler, and a picture Windows cannot decode,
// are reported in a message box in Bulgarian that names what failed, and end
// the program with a non-zero status; nothing after the error is dispatched.

#include "probe.hpp"
#include "session.hpp"

#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace temperament::wintest {
namespace {

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(ErrorReport, AnErrorInAHandlerIsReportedAndEndsTheProgram) {
    runtime::ProjectDescription project = app::describeProject();
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        if (binding.group == "Option1") {
            binding.handler = [](ui::MainForm&, runtime::Int16 index) {
                (void)(runtime::Int16{32767} + index + runtime::Int16{1});
            };
        }
    }
    Session session(project);
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        SendMessageW(window.handleOf(form.Option1().Item(0)), BM_CLICK, 0, 0);
        SendMessageW(window.handleOf(form.Option1().Item(1)), BM_CLICK, 0, 0);
        win32::processPendingMessages(window.handle());
        EXPECT_FALSE(IsWindow(window.handle())) << "the window closes after the report";
    });
    EXPECT_EQ(status, runtime::failureStatus) << "the program ends with the failure status";
    EXPECT_EQ(session.clicks(), std::vector<std::string>{"Option1(0)"}) << "nothing is dispatched after the error";
    const auto reports = session.reports();
    ASSERT_EQ(reports.size(), 1u) << "one report";
    const std::string& text = reports[0].text;
    EXPECT_TRUE(contains(text, "Програмата спира поради грешка") && contains(text, "препълване") &&
                contains(text, "Int16") && contains(text, "32767 + 1"))
        << "the report names the overflow: " << text;
    EXPECT_EQ(reports[0].title, "Видове темперамент: грешка") << "the report's title";
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
    Session session(project);
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        // Hidden on the first screen, the picture is decoded when Hippocrates shows it.
        SendMessageW(window.handleOf(form.Option1().Item(0)), BM_CLICK, 0, 0);
        win32::processPendingMessages(window.handle());
        EXPECT_FALSE(IsWindow(window.handle())) << "the window closes after the report";
    });
    EXPECT_EQ(status, runtime::failureStatus) << "a broken picture ends the program";
    const auto reports = session.reports();
    ASSERT_EQ(reports.size(), 1u) << "one report";
    EXPECT_TRUE(contains(reports[0].text, "картината")) << "the report names the picture: " << reports[0].text;
}

}  // namespace temperament::wintest
