#pragma once
// The run-time error that a failed control operation or a 16-bit overflow
// raises. Handlers never catch it; the dispatch boundary reports it and ends
// the program.

#include <stdexcept>
#include <string>

namespace temperament::runtime {

enum class ErrorCode : int {
    Overflow = 6,
    NoSuchMember = 340,          // Item(index) on a group without that member
    InvalidPropertyValue = 380,  // a value the property does not take
    InvalidPropertyIndex = 381,  // List(i) past the items
};

class RunTimeError : public std::runtime_error {
public:
    // interfaceName: the control interface (CheckBox, ListBox, ... or Int16);
    // member: which control ("Check1(3)"); operation: what was attempted
    // ("Item", "Value = 7", "List(4)", "32767 + 1").
    RunTimeError(ErrorCode code, std::string interfaceName, std::string member, std::string operation);

    [[nodiscard]] ErrorCode code() const noexcept { return code_; }
    [[nodiscard]] const std::string& interfaceName() const noexcept { return interface_; }
    [[nodiscard]] const std::string& member() const noexcept { return member_; }
    [[nodiscard]] const std::string& operation() const noexcept { return operation_; }

private:
    ErrorCode code_;
    std::string interface_;
    std::string member_;
    std::string operation_;
};

}  // namespace temperament::runtime
