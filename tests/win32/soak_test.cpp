// A long session on the shipped program, driven from another process: ten
// thousand clicks on shown controls, random but the same every run. What the
// program holds (GDI and USER objects, private memory) is sampled after load,
// after a warm-up that shows every screen once, every few hundred clicks and
// at the end: none of it may grow past the warm-up level. The tests' reference
// model of the window follows the clicks, so the session also checks that the
// window still says what it should.

#include "probe.hpp"
#include "process_figures.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "app/project.hpp"
#include "support/reference_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace temperament::wintest {
namespace {

using test_support::ReferenceWindow;

constexpr int sessionClicks = 10000;
constexpr int sampleEvery = 500;
constexpr std::mt19937::result_type seed = 1951;  // any fixed number: the same clicks every run
// Private memory moves a little without leaking: heap blocks and pages of
// Wine's own caches are taken and given back in whole pages. A leak of even
// 32 bytes a click would pass this within the ten thousand clicks.
constexpr std::size_t privateTolerance = std::size_t{256} * 1024;

struct Sample {
    const char* when;
    GuiObjects objects;
    MemoryFigures memory;
};

class SoakSession {
public:
    explicit SoakSession(const std::wstring& program) : program_(program) { project_.formLoad(*form_); }

    void run() {
        samples_.push_back(sample("after load"));
        warmUp();
        samples_.push_back(sample("after warm-up"));
        std::mt19937 random(seed);
        int made = 0;
        for (int click = 1; click <= sessionClicks; ++click) {
            // Once the model and the window part, the clicks after mean little.
            if (!randomClick(random)) break;
            made = click;
            if (click % sampleEvery == 0) {
                checkWindow("after click " + std::to_string(click));
                samples_.push_back(sample("periodic"));
            }
        }
        EXPECT_EQ(made, sessionClicks) << "clicks made, each on a control shown and enabled as the model foresaw";
        samples_.push_back(sample("final"));
        report();
        const std::optional<DWORD> status = program_.close();
        EXPECT_EQ(status, std::optional<DWORD>{0}) << "the program ends with status 0 after the session";
    }

private:
    [[nodiscard]] HWND native(const ui::Control& control) const { return nativeOf(program_.window(), *form_, control); }

    // Every screen once, each drawn before the next click (the device
    // contexts Wine keeps for drawing are part of the level): each
    // classification (Hippocrates decodes the picture), and each property box
    // both ways, which shows every caption.
    void warmUp() {
        const auto clickAndDraw = [this](const ui::Control& target) {
            click(target);
            settle();
        };
        for (const std::int16_t option : std::array<std::int16_t, 3>{0, 1, 2})
            clickAndDraw(form_->Option1().Item(option));
        for (const std::int16_t box : std::array<std::int16_t, 6>{2, 2, 1, 1, 0, 0}) {
            clickAndDraw(form_->Check1().Item(box));
        }
        clickAndDraw(form_->Option1().Item(0));
        checkWindow("after the warm-up");
    }

    // One random user action on a control the model says is shown; false
    // when the window does not show it.
    bool randomClick(std::mt19937& random) {
        const std::vector<ui::Control*> clickable = expected_.clickable(*form_);
        // A classification when no property box is shown, otherwise one time
        // in sixteen: choosing one redraws the text box, which takes Wine ten
        // times as long as a property box, and the session has a time budget.
        const bool option = clickable.size() == 3 || random() % 16 == 0;
        const std::size_t boxes = clickable.size() - 3;
        ui::Control& target = *clickable.at(option ? random() % 3 : 3 + random() % boxes);
        if (!shown(native(target))) return false;
        click(target);
        ++(option ? optionClicks_ : boxClicks_);
        return true;
    }

    static bool shown(HWND control) {
        return control != nullptr && IsWindowVisible(control) != 0 && IsWindowEnabled(control) != 0;
    }

    void click(const ui::Control& target) {
        SendMessageW(native(target), BM_CLICK, 0, 0);
        expected_.click(target);
    }

    void checkWindow(const std::string& when) {
        EXPECT_EQ(textOf(native(form_->Text1().Item(0))), expected_.text())
            << "the chosen classification's text " << when;
        EXPECT_EQ(shown(native(form_->Picture1())), expected_.picture()) << "the picture shown " << when;
        for (std::int16_t i = 0; i < 3; ++i) {
            const ReferenceWindow::Box& box = expected_.box(static_cast<std::size_t>(i));
            HWND handle = native(form_->Check1().Item(i));
            EXPECT_TRUE(checked(handle) == (box.value == 1) && textOf(handle) == box.caption &&
                        shown(handle) == box.visible)
                << "property box " << i << " " << when;
        }
    }

    // Waits until the program has handled what the last click queued
    // (repaints come after sent messages).
    void settle() const {
        for (int round = 0; round < 3; ++round) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(program_.window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
            Sleep(20);
        }
    }

    Sample sample(const char* when) {
        settle();
        return {when, guiObjectsOf(program_.handle()), memoryOf(program_.handle())};
    }

    void report() {
        const Sample& load = samples_.front();
        const Sample& warm = samples_[1];
        const Sample& last = samples_.back();
        Sample most = warm;
        for (const Sample& s : samples_) {
            most.objects.gdi = std::max(most.objects.gdi, s.objects.gdi);
            most.objects.user = std::max(most.objects.user, s.objects.user);
            most.memory.privateBytes = std::max(most.memory.privateBytes, s.memory.privateBytes);
        }
        most.when = "max";
        std::printf("%d clicks (seed %u): %d on a classification, %d on a property box\n", sessionClicks,
                    static_cast<unsigned>(seed), optionClicks_, boxClicks_);
        std::printf("GUI objects: %s; private bytes: %s\n", warm.objects.source.c_str(),
                    warm.memory.privateSource.c_str());
        for (const Sample* s : std::array<const Sample*, 4>{&load, &warm, &last, &most}) {
            std::printf("  %-14s GDI %4lu  USER %4lu  private %9zu bytes\n", s->when, s->objects.gdi, s->objects.user,
                        s->memory.privateBytes);
        }
        std::fflush(stdout);

        EXPECT_TRUE(warm.objects.gdi > 0 && warm.objects.user > 0) << "GDI and USER objects are counted";
        std::size_t sampleIndex = 0;
        for (const Sample& s : samples_) {
            if (sampleIndex++ < 2) continue;
            EXPECT_LE(s.objects.gdi, warm.objects.gdi) << "GDI objects no more than after warm-up: " << s.when;
            EXPECT_LE(s.objects.user, warm.objects.user) << "USER objects no more than after warm-up: " << s.when;
        }
        EXPECT_EQ(last.objects.gdi, warm.objects.gdi) << "GDI objects back to the warm-up level";
        EXPECT_EQ(last.objects.user, warm.objects.user) << "USER objects back to the warm-up level";
        EXPECT_LE(last.memory.privateBytes, warm.memory.privateBytes + privateTolerance)
            << "private bytes after the session within 256 KiB of the warm-up level";
    }

    ProgramProcess program_;
    const runtime::ProjectDescription project_ = app::describeProject();
    const std::shared_ptr<ui::MainForm> form_ = project_.createForm(project_);
    ReferenceWindow expected_{TEMPERAMENT_SCREENS};
    std::vector<Sample> samples_;
    int optionClicks_ = 0;
    int boxClicks_ = 0;
};

}  // namespace

TEST(ShippedProgram, TenThousandClicksLeaveNothingBehind) {
    const std::wstring& program = testOptions().program;
    ASSERT_FALSE(program.empty()) << "the test program needs --program=<temperament.exe>";
    SoakSession(program).run();
}

}  // namespace temperament::wintest
