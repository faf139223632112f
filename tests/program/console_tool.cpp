#include "console_tool.h"

#include "test_files.h"

ToolRun runConsoleTool(const std::string& program, const std::string& arguments,
                       const std::string& folder) {
    ToolRun run;
    TempFolder outputFolder;
    const std::string outputPath = outputFolder.path() + "output.txt";
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + arguments;
    const bool started =
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
    CloseHandle(output);
    if (!started) return run;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 0xFFFFFFFF);
        WaitForSingleObject(process.hProcess, 5000);
        run.output = "(the tool did not end within 60 s)";
    } else {
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        run.output = readWholeFile(outputPath);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
