#include "runtime/int16.hpp"

#include "runtime/run_time_error.hpp"

#include <limits>

namespace temperament::runtime {

Int16 Int16::narrow(std::int32_t result, Int16 left, char op, Int16 right) {
    if (result < std::numeric_limits<std::int16_t>::min() || result > std::numeric_limits<std::int16_t>::max()) {
        throw RunTimeError(ErrorCode::Overflow, "Int16", "", toString(left) + " " + op + " " + toString(right));
    }
    return {static_cast<std::int16_t>(result)};
}

std::string toString(Int16 value) { return std::to_string(value.value()); }

}  // namespace temperament::runtime
