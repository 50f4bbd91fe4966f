// Entry point: hands the arguments to the tool as UTF-8.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"

namespace {

// Out of memory (a file or table far beyond any real one) ends with a message and the I/O exit
// code, not through the runtime's abort.
int RunGuarded(const std::vector<std::string>& args) {
    try {
        return dftool::RunTool(args, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "datafile-tool: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "datafile-tool: unexpected failure\n";
    }
    return dftool::kExitIo;
}

}  // namespace

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
    return RunGuarded(args);
}

#else

int main(int argc, char** argv) {
    return RunGuarded(std::vector<std::string>(argv + 1, argv + argc));
}

#endif
