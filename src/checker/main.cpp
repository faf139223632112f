// autorun-menu-check: tells a media author what the menu will make of a medium's
// autorun.inf, reading it with the menu's own code, and what in it is wrong.
#include <cstdio>
#include <string>

#include "checker/finding_lines.h"
#include "checker/medium_check.h"
#include "console/arguments.h"
#include "console/close_prompt.h"

static const char kUsage[] =
    "Usage: autorun-menu-check [--quiet] [--root DIR] [--menu PROGRAM] MEDIUM\n"
    "\n"
    "Reads the autorun.inf of a medium with autorun-menu's own code and tells what the menu\n"
    "will show and start in every language, and what in the file it cannot use.\n"
    "MEDIUM is the medium's folder or its autorun.inf.\n"
    "\n"
    "  --root DIR  the medium's root folder, when the menu lies in a subfolder of the\n"
    "              medium: relative commands start there (default: the folder of autorun.inf)\n"
    "  --menu PROGRAM  the menu program whose picture the captions are measured on\n"
    "              (default: the program beside autorun.inf that carries the menu's picture)\n"
    "  --quiet     print nothing; only the exit code tells the result\n"
    "  --help      print this text\n"
    "\n"
    "One line per finding, as compilers print them: FILE:LINE: (the file alone when the\n"
    "finding has no line), then info:, note:, warning: or error:, then where ([section] key)\n"
    "and what. Texts of every language are printed as characters: to a console as such, to a\n"
    "pipe or file in UTF-8.\n"
    "Exit code: 0 nothing wrong, 1 warnings only, 2 errors (no readable autorun.inf, a\n"
    "command that is not on the medium, ...).\n";

// Ends the run with `exitCode`; started from Explorer, the window first waits for Enter,
// unless --quiet asked for no output at all.
static int finish(int exitCode, bool quiet) {
    if (!quiet) keepConsoleOpenUntilEnter();
    return exitCode;
}

int main(int argc, char** argv) {
    bool quiet = false;
    bool help = false;
    CheckOptions options;
    std::string problem;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            help = true;
        } else if (argument == "--quiet" || argument == "-q") {
            quiet = true;
        } else if (argument == "--root") {
            if (i + 1 < argc) {
                options.root = pathArgument(argv[++i]);
            } else {
                problem = "--root needs a folder";
            }
        } else if (argument == "--menu") {
            if (i + 1 < argc) {
                options.menu = argv[++i];
            } else {
                problem = "--menu needs a program";
            }
        } else if (argument.rfind("--menu=", 0) == 0) {
            options.menu = argument.substr(7);
        } else if (argument.rfind("--root=", 0) == 0) {
            options.root = pathArgument(argument.substr(7));
        } else if (argument.size() > 1 && argument[0] == '-') {
            problem = "unknown option " + argument;
        } else if (options.medium.empty()) {
            options.medium = pathArgument(argument);
        } else {
            problem = "one medium at a time";
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return finish(0, quiet);
    }
    if (problem.empty() && options.medium.empty()) problem = "no medium given";
    if (!problem.empty()) {
        if (!quiet) std::fprintf(stderr, "autorun-menu-check: %s\n\n%s", problem.c_str(), kUsage);
        return finish(2, quiet);
    }

    const CheckResult result = checkMedium(options);
    if (!quiet) printCheckResult(result);
    return finish(exitCode(result.findings), quiet);
}
