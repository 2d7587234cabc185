// A long session on the shipped program, driven from another process: ten
// thousand clicks on shown controls, random but the same every run. What the
// program holds (GDI and USER objects, private memory) is sampled after load,
// after a warm-up that shows every screen once, every few hundred clicks and
// at the end: none of it may grow past the warm-up level. A small model of the
// property boxes follows the clicks, so the session also checks that the
// window still says what it should.

#include "probe.hpp"
#include "process_figures.hpp"
#include "support/screens.hpp"
#include "test_options.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace temperament::wintest {
namespace {

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

// The program's controls, found once: it never destroys or recreates them.
struct Controls {
    std::array<HWND, 3> options{};
    std::array<HWND, 3> boxes{};
    HWND text = nullptr;
    HWND picture = nullptr;
};

Controls controlsOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    // The controls were created in tab order, which puts each group's members in index order.
    std::sort(children.begin(), children.end(), [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    Controls controls;
    std::size_t option = 0;
    std::size_t box = 0;
    for (HWND child : children) {
        const std::wstring className = classOf(child);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        if (_wcsicmp(className.c_str(), L"Button") == 0) {
            const DWORD type = style & BS_TYPEMASK;
            if ((type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) && option < 3)
                controls.options[option++] = child;
            const bool checkBox =
                type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
            if (checkBox && box < 3) controls.boxes[box++] = child;
        } else if (_wcsicmp(className.c_str(), L"Edit") == 0 && controls.text == nullptr) {
            controls.text = child;  // Text1(0), the display box, comes first in the tab order
        } else if (_wcsicmp(className.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW) {
            controls.picture = child;
        }
    }
    if (option != 3 || box != 3 || controls.text == nullptr || controls.picture == nullptr) {
        throw std::runtime_error("the program's window lacks some of its controls");
    }
    return controls;
}

bool clickable(HWND control) { return (IsWindowVisible(control) != 0) && (IsWindowEnabled(control) != 0); }

// What the property boxes should show, following Option1_Click and Check1_Click.
struct BoxModel {
    int classification = -1;
    std::array<bool, 3> checked{};
    std::array<bool, 3> shown{};

    void chose(int option) {
        classification = option;
        shown.fill(option == 2);
    }
    void toggled(std::size_t box) {
        checked.at(box) = !checked.at(box);
        if (box == 0) {
            shown[1] = checked[0];
            if (checked[0] && checked[1]) shown[2] = true;
            if (!checked[0]) shown[2] = false;
        } else if (box == 1) {
            shown[2] = checked[1];
        }
    }
};

// The display box's text after each classification is chosen, from the
// expected screens.
std::array<std::string, 3> classificationTexts() {
    const test_support::Scenario scenario =
        test_support::readScenario(std::filesystem::path(TEMPERAMENT_SCREENS) / "classifications.screens");
    std::array<std::string, 3> texts;
    for (std::size_t option = 0; option < texts.size(); ++option) {
        const std::string action = "click Option1(" + std::to_string(option) + ")";
        const auto step = std::find_if(scenario.steps.begin(), scenario.steps.end(),
                                       [&](const test_support::Step& s) { return s.action == action; });
        if (step == scenario.steps.end()) throw std::runtime_error("classifications.screens has no " + action);
        texts.at(option) = test_support::textBoxText(step->screen, "Text1(0)");
    }
    return texts;
}

class SoakSession {
public:
    explicit SoakSession(const std::wstring& program) : program_(program), controls_(controlsOf(program_.window())) {
        for (std::size_t i = 0; i < 3; ++i) model_.checked.at(i) = checked(controls_.boxes.at(i));
    }

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
    // Every screen once: each classification (Hippocrates decodes the picture),
    // and each property box both ways, which shows every caption.
    void warmUp() {
        for (std::size_t option : {0U, 1U, 2U}) click(controls_.options.at(option), static_cast<int>(option));
        for (std::size_t box : {2U, 2U, 1U, 1U, 0U, 0U}) clickBox(box);
        click(controls_.options[0], 0);
        checkWindow("after the warm-up");
    }

    // One random user action on a control the model says is shown; false
    // when the window does not show it.
    bool randomClick(std::mt19937& random) {
        std::vector<std::size_t> shown;
        for (std::size_t i = 0; i < 3; ++i) {
            if (model_.shown.at(i)) shown.push_back(i);
        }
        // A classification when no property box is shown, otherwise one time
        // in sixteen: choosing one redraws the text box, which takes Wine ten
        // times as long as a property box, and the session has a time budget.
        if (shown.empty() || random() % 16 == 0) {
            const auto option = static_cast<std::size_t>(random() % 3);
            if (!clickable(controls_.options.at(option))) return false;
            click(controls_.options.at(option), static_cast<int>(option));
            ++optionClicks_;
        } else {
            const std::size_t box = shown[random() % shown.size()];
            if (!clickable(controls_.boxes.at(box))) return false;
            clickBox(box);
            ++boxClicks_;
        }
        return true;
    }

    void click(HWND option, int index) {
        SendMessageW(option, BM_CLICK, 0, 0);
        model_.chose(index);
    }
    void clickBox(std::size_t box) {
        SendMessageW(controls_.boxes.at(box), BM_CLICK, 0, 0);
        model_.toggled(box);
    }

    void checkWindow(const std::string& when) {
        const auto chosen = static_cast<std::size_t>(model_.classification);
        EXPECT_EQ(textOf(controls_.text), texts_.at(chosen)) << "the chosen classification's text " << when;
        EXPECT_EQ(IsWindowVisible(controls_.picture) != FALSE, chosen == 0) << "the picture shown " << when;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(checked(controls_.boxes.at(i)), model_.checked.at(i))
                << "property box " << i << " checked " << when;
            EXPECT_EQ(clickable(controls_.boxes.at(i)), model_.shown.at(i))
                << "property box " << i << " shown " << when;
        }
    }

    // Waits until the program has handled what the last click queued
    // (repaints come after sent messages), then reads its figures.
    Sample sample(const char* when) {
        for (int round = 0; round < 3; ++round) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(program_.window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
            Sleep(20);
        }
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
    Controls controls_;
    BoxModel model_;
    const std::array<std::string, 3> texts_ = classificationTexts();
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
