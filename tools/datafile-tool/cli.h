// Command line: parses the arguments (UTF-8) and runs one command.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dftool {

// args excludes the program name. Returns the exit code.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string HelpText();

}  // namespace dftool
