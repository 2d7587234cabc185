#pragma once
// The 16-bit signed integer that the logic counts with. Every addition and
// subtraction is checked: a result outside -32768..32767 raises the overflow
// run-time error instead of wrapping.

#include <compare>
#include <cstdint>
#include <string>

namespace temperament::runtime {

class Int16 {
public:
    constexpr Int16() noexcept = default;
    constexpr Int16(std::int16_t value) noexcept : value_(value) {}  // NOLINT: implicit on purpose

    // Narrows the exact result of `left op right`, raising the overflow error
    // (which names the operation) when it does not fit.
    static Int16 narrow(std::int32_t result, Int16 left, char op, Int16 right);

    [[nodiscard]] constexpr std::int16_t value() const noexcept { return value_; }

    friend Int16 operator+(Int16 left, Int16 right) {
        return narrow(std::int32_t{left.value_} + right.value_, left, '+', right);
    }
    friend Int16 operator-(Int16 left, Int16 right) {
        return narrow(std::int32_t{left.value_} - right.value_, left, '-', right);
    }
    // clang-tidy 14 takes the defaulted <=> for a comparison with literal 0.
    friend constexpr auto operator<=>(Int16, Int16) noexcept = default;  // NOLINT(modernize-use-nullptr)
    friend constexpr bool operator==(Int16, Int16) noexcept = default;

private:
    std::int16_t value_ = 0;
};

[[nodiscard]] std::string toString(Int16 value);

}  // namespace temperament::runtime
