// The authors' console tools run as processes, the way a script runs them.
#pragma once

#include <windows.h>

#include <string>

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and error together
};

// Runs `program` with `arguments` in the current folder `folder` (the test's own when
// empty) and collects what it prints. The output goes through a file rather than a pipe,
// so a process that Wine starts on the tool's behalf and that inherits the handle cannot
// keep the test waiting. A tool that does not end within 60 s is ended, and the output
// says so.
ToolRun runConsoleTool(const std::string& program, const std::string& arguments,
                       const std::string& folder = std::string());
