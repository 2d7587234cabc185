#include "runtime/int16.hpp"
#include "runtime/run_time_error.hpp"

#include <gtest/gtest.h>

namespace {

using temperament::runtime::ErrorCode;
using temperament::runtime::Int16;
using temperament::runtime::RunTimeError;

ErrorCode codeOf(const auto& operation) {
    try {
        operation();
    } catch (const RunTimeError& error) {
        return error.code();
    }
    return ErrorCode{};
}

TEST(Int16, AddsAndSubtractsWithinRange) {
    EXPECT_EQ((Int16{32766} + Int16{1}).value(), 32767);
    EXPECT_EQ((Int16{-32767} - Int16{1}).value(), -32768);
    EXPECT_EQ((Int16{4} - Int16{1}).value(), 3);
    EXPECT_EQ((Int16{0} - Int16{1}).value(), -1);
}

TEST(Int16, OverflowRaisesTheRunTimeErrorNamingTheOperation) {
    EXPECT_EQ(codeOf([] { (void)(Int16{32767} + Int16{1}); }), ErrorCode::Overflow);
    EXPECT_EQ(codeOf([] { (void)(Int16{-32768} - Int16{1}); }), ErrorCode::Overflow);
    EXPECT_EQ(codeOf([] { (void)(Int16{-32768} + Int16{-32768}); }), ErrorCode::Overflow);
    EXPECT_EQ(codeOf([] { (void)(Int16{0} - Int16{-32768}); }), ErrorCode::Overflow);
    try {
        (void)(Int16{32767} + Int16{1});
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.interfaceName(), "Int16");
        EXPECT_EQ(error.operation(), "32767 + 1");
        EXPECT_NE(std::string(error.what()).find("32767 + 1"), std::string::npos);
    }
}

}  // namespace
