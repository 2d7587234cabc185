// A long session of real mouse clicks on the real window, in a reproducible
// random order: after every click the widgets must show what the model holds,
// and once every screen has been shown the process must not keep growing.

#include "qt_harness.hpp"

#include <QAbstractButton>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace temperament {
namespace {

constexpr int warmUpClicks = 2'000;
constexpr int measuredClicks = 20'000;
constexpr int clicksPerSample = 1'000;
// Room for the allocator's noise: freed blocks that malloc keeps in its
// arenas at slightly different places from one sample to the next. A leak of
// even a few dozen bytes a click would exceed it within the 20,000 clicks.
constexpr long toleranceKiB = 256;

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) throw std::runtime_error("/proc/self/statm cannot be read");
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST(QtSoak, ManyRandomClicksKeepTheWindowInStepWithoutGrowing) {
    std::vector<long> samples;
    long afterLoad = 0;
    std::set<std::string> warmUpScreens;
    long clicks = 0;
    const qt_test::Outcome outcome =
        qt_test::runWindow([&](ui::MainForm& form, qt::Window&, qt_test::QtDriver& driver) {
            std::mt19937 random(20240611);  // a fixed seed: every run clicks the same sequence
            afterLoad = residentKiB();
            for (int step = 0; step < warmUpClicks + measuredClicks; ++step) {
                // A classification, or a shown property box.
                std::vector<std::string> targets = {"Option1(0)", "Option1(1)", "Option1(2)"};
                for (std::int16_t i = 0; i < 3; ++i) {
                    if (form.Check1().Item(i).Visible()) targets.push_back(form.Check1().Item(i).memberName());
                }
                const std::string& target = targets.at(random() % targets.size());
                driver.click(target);
                // The event loop's turn, as between two clicks of a user: what
                // the click posted (repaints, deferred deletions) is handled.
                QCoreApplication::processEvents();

                const std::string where = "after click " + std::to_string(step + 1) + " on " + target;
                const auto ran = driver.takeClicks();
                ASSERT_EQ(ran->size(), 1u) << where;
                ++clicks;
                const headless::Screen shown = driver.read();
                const std::string expected = headless::format(headless::screenOf(form, shown.focus));
                ASSERT_EQ(headless::format(shown), expected) << where;

                const std::string seen = headless::summary(shown);
                if (step < warmUpClicks) {
                    warmUpScreens.insert(seen);
                } else {
                    ASSERT_TRUE(warmUpScreens.contains(seen)) << where << ": a screen the warm-up never showed";
                }
                if ((step + 1) % clicksPerSample == 0 && step + 1 >= warmUpClicks) samples.push_back(residentKiB());
            }
        });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_FALSE(samples.empty());

    const long afterWarmUp = samples.front();
    const long highest = *std::max_element(samples.begin(), samples.end());
    std::cout << warmUpScreens.size() << " screens shown in the warm-up; " << clicks << " clicks\n"
              << "resident KiB: after load " << afterLoad << ", after warm-up " << afterWarmUp << ", final "
              << samples.back() << ", max " << highest << "\nresident KiB every " << clicksPerSample
              << " clicks after warm-up:";
    for (const long sample : samples) std::cout << ' ' << sample;
    std::cout << '\n';
    EXPECT_LE(highest - afterWarmUp, toleranceKiB) << "grew over " << measuredClicks << " clicks";
}

}  // namespace
}  // namespace temperament
