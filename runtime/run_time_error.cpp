#include "runtime/run_time_error.hpp"

namespace temperament::runtime {
namespace {

const char* describe(ErrorCode code) {
    switch (code) {
    case ErrorCode::Overflow: return "препълване";
    case ErrorCode::NoSuchMember: return "в групата няма елемент с такъв индекс";
    case ErrorCode::InvalidPropertyValue: return "недопустима стойност на свойство";
    case ErrorCode::InvalidPropertyIndex: return "недопустим индекс на свойство";
    }
    return "неизвестна грешка";
}

std::string compose(ErrorCode code, const std::string& interfaceName, const std::string& member,
                    const std::string& operation) {
    std::string text = "Грешка при изпълнение " + std::to_string(static_cast<int>(code)) + ": " + describe(code) +
                       " (" + interfaceName;
    if (!member.empty()) text += " " + member;
    text += ", " + operation + ")";
    return text;
}

}  // namespace

RunTimeError::RunTimeError(ErrorCode code, std::string interfaceName, std::string member, std::string operation)
    : std::runtime_error(compose(code, interfaceName, member, operation)),
      code_(code),
      interface_(std::move(interfaceName)),
      member_(std::move(member)),
      operation_(std::move(operation)) {}

}  // namespace temperament::runtime
