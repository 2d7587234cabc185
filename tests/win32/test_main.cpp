// The Windows test program: GoogleTest with the options of test_options.hpp.

#include "test_options.hpp"

#include "layers/win32/handles.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <string_view>

namespace temperament::wintest {
namespace {

TestOptions options;

// Takes `--name=value` into `value`; false when the argument is another one.
bool option(std::wstring_view argument, std::wstring_view name, std::wstring& value) {
    if (!argument.starts_with(name) || argument.size() <= name.size() || argument[name.size()] != L'=') return false;
    value = argument.substr(name.size() + 1);
    return true;
}

// Reads the arguments GoogleTest left; false, with the reason on standard
// error, for one it does not know or a value it cannot use.
bool readOptions(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        std::wstring dpi;
        if (option(argv[i], L"--dpi", dpi)) {
            options.dpi = static_cast<int>(std::wcstol(dpi.c_str(), nullptr, 10));
            if (options.dpi <= 0) {
                std::wcerr << L"--dpi wants a positive number, not " << dpi << L'\n';
                return false;
            }
        } else if (!option(argv[i], L"--screens", options.screens) && !option(argv[i], L"--program", options.program)) {
            std::wcerr << L"unknown argument " << argv[i] << L"; the options are --dpi=, --screens= and --program=\n";
            return false;
        }
    }
    return true;
}

}  // namespace

const TestOptions& testOptions() { return options; }

}  // namespace temperament::wintest

int wmain(int argc, wchar_t** argv) {
    using namespace temperament;
    // The message box of a crash would wait for a user; end at once instead.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // CTest reads the test list line by line, as Unix text: no CR before LF.
    _setmode(_fileno(stdout), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    if (!wintest::readOptions(argc, argv)) return 2;
    try {
        const win32::ComApartment com;  // WIC writes the screenshots
        return RUN_ALL_TESTS();
    } catch (const std::exception& error) {
        std::cerr << "the test program stopped: " << error.what() << '\n';
        return 1;
    }
}
