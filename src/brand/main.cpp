// autorun-menu-brand: writes a copy of the menu program with an author's own picture, icon
// and names, so authors make the menu theirs without building it. The work is brandMenu's;
// this reads the command line and prints what came of it.
#include <windows.h>

#include <string>

#include "brand/brand_menu.h"
#include "brand/brand_options.h"
#include "brand/system_text.h"
#include "console/close_prompt.h"
#include "console/console_text.h"
#include "console/full_path.h"
#include "sign/signing_password.h"

// Messages are built in UTF-8 and written as characters (console_text.h).
static void say(const std::string& message) {
    writeConsoleLine(ConsoleStream::output, wideFromCodePage(message, CP_UTF8));
}

static void fail(const std::string& message) {
    writeConsoleLine(ConsoleStream::error,
                     wideFromCodePage("autorun-menu-brand: " + message, CP_UTF8));
}

// `path` made full, in UTF-8, as brandMenu names the files it reads and writes.
static std::string shownFull(const std::string& path) {
    std::string full;
    return utf8FromSystemText(fullPath(path, full) ? full : path);
}

static int brand(int argc, char** argv) {
    BrandOptions options;
    std::string problem;
    if (!parseBrandOptions(argc, argv, options, problem)) {
        fail(utf8FromSystemText(problem));
        writeConsoleLine(ConsoleStream::error, L"");
        writeConsoleLines(ConsoleStream::error, brandUsage(), CP_UTF8);
        return 2;
    }
    if (options.help) {
        writeConsoleLines(ConsoleStream::output, brandUsage(), CP_UTF8);
        return 0;
    }
    options.request.askPassword = [&options](std::wstring& password, std::string& why) {
        return askPasswordAtConsole("Password for " + shownFull(*options.request.signPfx) + ":",
                                    password, why);
    };
    const BrandResult result = brandMenu(options.request);
    if (result.signatureRemoved && !asksToSign(options.request)) {
        say(shownFull(options.request.menu) +
            " is signed; the signature does not cover the branded copy and is removed.");
        say("Sign " + shownFull(options.request.output) +
            " again: autorun-menu-brand --sign-only --sign CERT.pfx, or give --sign when "
            "branding.");
    }
    for (const std::string& note : result.notes) say(note);
    if (result.outcome == BrandOutcome::written) {
        if (result.signatureReplaced)
            say("the signature " + shownFull(options.request.menu) + " had is replaced");
        say((options.request.signOnly ? "signed " : "wrote ") + utf8FromSystemText(result.output));
        if (!result.signer.empty()) {
            say("signed by " + result.signer +
                (options.request.timestampUrl ? ", time-stamped by " + *options.request.timestampUrl
                                              : ", without a time stamp"));
        }
        if (!result.trust.empty()) say("note: " + result.trust);
    } else {
        fail(result.reason + "; nothing written");
    }
    return exitCodeOf(result.outcome);
}

int main(int argc, char** argv) {
    const int exitCode = brand(argc, argv);
    // Started from Explorer, the window waits for Enter before it closes.
    keepConsoleOpenUntilEnter();
    return exitCode;
}
