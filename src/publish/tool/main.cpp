// autorun-menu-publish: a medium folder as a disc image (ISO 9660 with Joliet) or copied to
// a drive, checked by the checker first.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "console/close_prompt.h"
#include "console/console_text.h"
#include "publish/disc_sizes.h"
#include "publish/image_plan.h"
#include "publish/publish_options.h"
#include "publish/tool/cancel.h"
#include "publish/tool/checker_step.h"
#include "publish/tool/drive_copy.h"
#include "publish/tool/file_reading.h"
#include "publish/tool/image_file.h"
#include "publish/tool/medium_label.h"
#include "publish/tool/medium_tree.h"
#include "publish/tool/tool_paths.h"
#include "publish/utf16_text.h"

namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;

const char kUsage[] =
    "Usage: autorun-menu-publish MEDIUM OUT.iso [--label L] [--time T] [--force]\n"
    "       autorun-menu-publish MEDIUM --to DRIVE-OR-FOLDER [--label L] [--force]\n"
    "                            [--allow-nonempty]\n"
    "\n"
    "Writes the medium's folder as a disc image (ISO 9660 with Joliet names), or copies it\n"
    "to a drive or folder, after the checker has read its autorun.inf.\n"
    "\n"
    "  --label L   the volume label (default: [autorun] label=, else the folder's name)\n"
    "  --time T    one time for every file and the volume, as seconds since 1970 or a UTC\n"
    "              date such as 2026-12-09T17:30:00Z (default: SOURCE_DATE_EPOCH when set,\n"
    "              else each file's own time)\n"
    "  --force     publish although the checker found errors\n"
    "  --to D      copy to the drive or folder D, each file verified by SHA-256\n"
    "  --allow-nonempty  copy into a target that holds files already (none is replaced)\n"
    "  --help      print this text\n"
    "\n"
    "Exit code: 0 written, 2 refused (checker errors, names the image cannot hold, bad\n"
    "arguments), 1 failed.\n";

void say(const std::string& utf8) { writeConsoleLine(ConsoleStream::output, wideOf(utf8)); }
void complain(const std::string& utf8) {
    writeConsoleLine(ConsoleStream::error, wideOf("autorun-menu-publish: " + utf8));
}

int finish(int exitCode) {
    keepConsoleOpenUntilEnter();
    return exitCode;
}

std::vector<std::u16string> wideArguments() {
    std::vector<std::u16string> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr) return arguments;
    for (int i = 1; i < count; ++i) {
        std::wstring argument = list[i];
        // "E:\" arrives as E:" (the backslash escapes the quote); no path holds a quote.
        if (!argument.empty() && argument.back() == L'"') argument.pop_back();
        arguments.push_back(u16Of(argument));
    }
    LocalFree(list);
    return arguments;
}

void printRefusals(const std::vector<ImageRefusal>& refusals) {
    for (const ImageRefusal& refusal : refusals) {
        complain(refusal.path.empty() ? refusal.reason : refusal.path + ": " + refusal.reason);
    }
}

// The time every entry gets: --time, else SOURCE_DATE_EPOCH; false when neither is given.
bool fixedTime(const PublishOptions& options, std::int64_t& time, std::string& problem) {
    if (options.timeGiven) {
        time = options.time;
        return true;
    }
    wchar_t value[64] = {};
    const DWORD length = GetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", value, 64);
    if (length == 0 || length >= 64) return false;
    if (!readTime(u16Of(value), time)) {
        problem = "SOURCE_DATE_EPOCH is not a number of seconds: " + utf8Of(value);
    }
    return true;
}

int publish(const PublishOptions& options) {
    const std::wstring medium = fullPathOf(wideOf(options.medium));
    if (medium.empty()) {
        complain("the medium's path cannot be used: " + utf8FromUtf16(options.medium));
        return kRefused;
    }
    const std::wstring output = wideOf(options.target.empty() ? options.image : options.target);
    const std::wstring target = fullPathOf(output);
    if (target.empty()) {
        complain("the path cannot be used: " + utf8Of(output));
        return kRefused;
    }
    if (liesWithin(target, medium) || (!options.target.empty() && liesWithin(medium, target))) {
        complain(utf8Of(target) + " lies within the medium " + utf8Of(medium) +
                 " (or the medium within it); publish to a place outside it");
        return kRefused;
    }

    ImageOptions imageOptions;
    std::string timeProblem;
    imageOptions.fixedTime = fixedTime(options, imageOptions.time, timeProblem);
    if (!timeProblem.empty()) {
        complain(timeProblem);
        return kRefused;
    }
    imageOptions.label = options.labelGiven ? options.label : u16Of(mediumLabel(medium));

    // The checker first: an error stops publishing unless the author insists.
    const CheckVerdict verdict = checkAndPrint(medium);
    const bool blocked = !verdict.ran || verdict.errors > 0;
    if (blocked && !options.force) {
        complain(verdictText(verdict) + "; nothing was written (--force publishes anyway)");
        return kRefused;
    }

    ImageEntry tree;
    std::vector<ImageRefusal> refusals;
    std::string problem;
    if (!readMediumTree(medium, tree, refusals, problem)) {
        complain(problem);
        return kFailed;
    }
    if (!refusals.empty()) {
        printRefusals(refusals);
        complain("nothing was written");
        return kRefused;
    }
    std::uint64_t files = 0, bytes = 0;
    countFiles(tree, files, bytes);
    catchCancel();

    if (!options.target.empty()) {
        const CopyReport report =
            copyMedium(tree, target, options.allowNonEmpty, imageOptions.label);
        for (const std::string& note : report.notes) say(note);
        if (report.outcome == CopyReport::Outcome::refused) {
            printRefusals(report.refusals);
            complain("nothing was copied");
            return kRefused;
        }
        if (report.outcome == CopyReport::Outcome::failed) {
            complain(report.problem + "; what this run had copied is removed again");
            return kFailed;
        }
        say("Copied " + groupedNumber(report.files) + " files (" + groupedNumber(report.bytes) +
            " bytes) to " + utf8Of(target) + ", each verified by SHA-256; " + verdictText(verdict) +
            ".");
        return kWritten;
    }

    const ImagePlan plan = planImage(tree, imageOptions);
    if (!plan.writable()) {
        printRefusals(plan.refusals);
        complain("the image cannot hold these; nothing was written");
        return kRefused;
    }
    for (const std::string& loss : plan.label.losses) say("note: " + loss);
    if (writeImageFile(plan, mediumFileReader(), target, problem) != WriteOutcome::written) {
        complain(problem);
        return kFailed;
    }
    say("Wrote " + utf8Of(target) + ": " + groupedNumber(plan.imageBytes()) + " bytes, " +
        groupedNumber(files) + " files, label \"" + utf8FromUtf16(plan.label.joliet) +
        "\" (ISO 9660: " + plan.label.iso + "); " + verdictText(verdict) + ".");
    for (const std::string& line : discFitLines(plan.imageBytes())) say("  " + line);
    return kWritten;
}

}  // namespace

int main() {
    const PublishOptions options = readPublishOptions(wideArguments());
    if (options.help) {
        writeConsoleLines(ConsoleStream::output, kUsage, CP_UTF8);
        return finish(kWritten);
    }
    if (!options.problem.empty()) {
        complain(options.problem);
        writeConsoleLines(ConsoleStream::error, std::string("\n") + kUsage, CP_UTF8);
        return finish(kRefused);
    }
    return finish(publish(options));
}
