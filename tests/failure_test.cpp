// The run-time error path: an error escaping a handler is reported through
// the layer's reporter, names what failed, and ends the program with a
// non-zero status; nothing after it runs. The sanitizer build checks that
// nothing leaks on the way out.

#include "app/project.hpp"
#include "layers/headless/layer.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "support/event_log.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>

namespace {

using namespace temperament;
using runtime::Continuation;
using runtime::failureStatus;
using runtime::Int16;
using test_support::DrivenLayer;
using ui::MainForm;
using ui::UserActions;

bool mentions(const std::string& text, std::initializer_list<std::string_view> parts) {
    return std::ranges::all_of(parts, [&](std::string_view part) { return text.find(part) != std::string::npos; });
}

// The program's own design data with a fourth option button that has no list
// of types behind it.
class FourthOption {
public:
    FourthOption() {
        for (const runtime::EmbeddedFile& file : runtime::embeddedFiles()) {
            files_[count_++] = file;
            if (file.name != "MainForm.form") continue;
            form_.assign(file.bytes.begin(), file.bytes.end());
            const std::string extra =
                "    Begin OptionButton Option1(3)\n        Left = 3480\n        Top = 2160\n"
                "        Width = 1335\n        Height = 285\n        TabIndex = 13\n        Caption = \"X\"\n    End\n";
            const std::string closing = "End\n";
            form_.insert(form_.end() - static_cast<std::ptrdiff_t>(closing.size()), extra.begin(), extra.end());
            files_[count_ - 1].bytes = form_;
        }
    }
    [[nodiscard]] runtime::ProjectDescription project() const {
        runtime::ProjectDescription project = app::describeProject();
        project.designData = std::span(files_.data(), count_);
        return project;
    }

private:
    std::vector<unsigned char> form_;
    std::array<runtime::EmbeddedFile, 8> files_{};
    std::size_t count_ = 0;
};

TEST(RunTimeError, LookupByMissingIndexEndsTheProgramThroughTheReporter) {
    FourthOption design;
    bool laterActionRan = false;
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        log.entries.clear();
        EXPECT_EQ(user.clicked(form.Option1().Item(3)), Continuation::Ended);
        // The handler left at the failing statement: the heading was never
        // written, and the window is told of nothing the action changed.
        EXPECT_TRUE(form.Text1().Item(0).Text().starts_with("Темпераментът"));
        EXPECT_EQ(log.entries, std::vector<std::string>{"Option1_Click(3) {"});
        laterActionRan = user.clicked(form.Option1().Item(0)) == Continuation::Running;
    });
    EXPECT_EQ(runtime::run(log.wrap(design.project()), layer), failureStatus);
    ASSERT_EQ(layer.reports().size(), 1u);
    EXPECT_TRUE(mentions(layer.reports()[0], {"340", "ListBox", "List1(3)", "Item"})) << layer.reports()[0];
    EXPECT_FALSE(laterActionRan);
}

// The real project with the handler of `group` replaced by `handler`.
runtime::ProjectDescription withHandler(std::string_view group, runtime::ClickHandler handler) {
    runtime::ProjectDescription project = app::describeProject();
    const auto binding = std::ranges::find(project.clickHandlers, group, &runtime::ClickBinding::group);
    if (binding != project.clickHandlers.end()) binding->handler = std::move(handler);
    return project;
}

TEST(RunTimeError, OverflowInANestedClickEndsTheLoad) {
    bool windowShown = false;
    DrivenLayer layer([&](MainForm&, UserActions&) { windowShown = true; });
    const auto overflowing = [](MainForm&, Int16 index) { (void)(Int16{32767} + index + Int16{1}); };
    EXPECT_EQ(runtime::run(withHandler("Check1", overflowing), layer), failureStatus);
    ASSERT_EQ(layer.reports().size(), 1u);
    EXPECT_TRUE(mentions(layer.reports()[0], {"6", "препълване", "Int16", "32767 + 1"})) << layer.reports()[0];
    EXPECT_FALSE(windowShown);
}

TEST(RunTimeError, InvalidPropertyValuesAndIndicesNameTheMember) {
    struct Case {
        runtime::ClickHandler handler;
        std::vector<std::string_view> named;
    };
    const std::vector<Case> cases = {
        {[](MainForm& form, Int16) { form.Check1().Item(0).Value(Int16{7}); },
         {"380", "CheckBox", "Check1(0)", "Value = 7"}},
        {[](MainForm& form, Int16) { (void)form.List1().Item(1).List(Int16{2}); },
         {"381", "ListBox", "List1(1)", "List(2)"}},
        {[](MainForm& form, Int16) { (void)form.List1().Item(0).List(Int16{-1}); }, {"381", "List1(0)", "List(-1)"}},
        {[](MainForm& form, Int16) { (void)form.Check1().Item(-1); }, {"340", "CheckBox", "Check1(-1)", "Item"}},
    };
    for (const Case& c : cases) {
        DrivenLayer layer([](MainForm& form, UserActions& user) {
            EXPECT_EQ(user.clicked(form.Option1().Item(0)), Continuation::Ended);
        });
        EXPECT_EQ(runtime::run(withHandler("Option1", c.handler), layer), failureStatus);
        ASSERT_EQ(layer.reports().size(), 1u);
        for (const std::string_view part : c.named) {
            EXPECT_TRUE(mentions(layer.reports()[0], {part})) << layer.reports()[0] << " lacks " << part;
        }
    }
}

TEST(RunTimeError, BrokenDesignDataIsReportedAtStart) {
    const std::array<unsigned char, 12> garbage = {'B', 'e', 'g', 'i', 'n', ' ', 'F', 'o', 'r', 'm', '\n', 0x98};
    const std::array<runtime::EmbeddedFile, 1> files = {runtime::EmbeddedFile{"MainForm.form", garbage}};
    runtime::ProjectDescription project = app::describeProject();
    project.designData = files;
    DrivenLayer layer;
    EXPECT_EQ(runtime::run(project, layer), failureStatus);
    ASSERT_EQ(layer.reports().size(), 1u);
    EXPECT_TRUE(mentions(layer.reports()[0], {"line 2", "0x98"})) << layer.reports()[0];

    project.designData = {};
    DrivenLayer noDefinition;
    EXPECT_EQ(runtime::run(project, noDefinition), failureStatus);
    EXPECT_TRUE(mentions(noDefinition.reports().at(0), {"MainForm.form"}));
}

TEST(RunTimeError, AHandlerForAMissingGroupIsReportedAtStart) {
    runtime::ProjectDescription project = app::describeProject();
    project.clickHandlers.push_back({"Command1", [](MainForm&, Int16) {}});
    DrivenLayer layer;
    EXPECT_EQ(runtime::run(project, layer), failureStatus);
    EXPECT_TRUE(mentions(layer.reports().at(0), {"Command1"}));
}

TEST(StartRoutine, EndsTheProcessWithTheProgramsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const runtime::LayerFactory headless = []() -> std::unique_ptr<runtime::WindowingLayer> {
        return std::make_unique<headless::Layer>(std::cout, std::cerr);
    };
    EXPECT_EXIT(runtime::start(app::describeProject(), headless), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        runtime::start(withHandler("Check1", [](MainForm&, Int16) { (void)(Int16{-32768} - Int16{1}); }), headless),
        ::testing::ExitedWithCode(failureStatus), "-32768 - 1");
}

}  // namespace
