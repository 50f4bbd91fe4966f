// Entry point: hands the arguments to the tool as UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

#ifdef _WIN32

#include <windows.h>

#include "utf.h"

int wmain(int argc, wchar_t** argv) {
    // Names are printed as UTF-8; the console must be told.
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring wide(argv[i]);
        args.push_back(dftool::Utf16ToUtf8(std::u16string(wide.begin(), wide.end())));
    }
    return dftool::RunTool(args, std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    return dftool::RunTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

#endif
