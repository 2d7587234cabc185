#pragma once
// A small check list for the Windows test programs (GoogleTest is not built
// for Windows here): each check prints its failure, and the run ends with the
// line "N passed, M failed".

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace temperament::wintest {

class Checks {
public:
    bool check(bool ok, std::string_view what) {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::cout << "FAIL: " << what << std::endl;
        }
        return ok;
    }

    template <class Actual, class Expected>
    bool equal(const Actual& actual, const Expected& expected, std::string_view what) {
        if (actual == expected) return check(true, what);
        std::ostringstream message;
        message << what << ": got [" << actual << "], expected [" << expected << "]";
        return check(false, message.str());
    }

    // Prints the summary; the exit status is 0 only when nothing failed.
    [[nodiscard]] int summary() const {
        std::cout << passed_ << " passed, " << failed_ << " failed" << std::endl;
        return failed_ == 0 && passed_ > 0 ? 0 : 1;
    }

private:
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace temperament::wintest
