#include "sign/signing_password.h"

#include <windows.h>

#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "console/console_text.h"
#include "sign/platform_signer_win32.h"

namespace {

constexpr const wchar_t* kVariable = L"AUTORUN_MENU_SIGN_PASSWORD";

void wipe(std::string& text) {
    if (!text.empty()) SecureZeroMemory(&text[0], text.size());
}

}  // namespace

bool signingPassword(const SignerSource& source, std::wstring& password, std::string& problem) {
    password.clear();
    if (!source.passwordFile.empty()) {
        Bytes file;
        if (!readFileBytes(source.passwordFile, file)) {
            problem =
                "the password file " + unreadableFileText(source.passwordFile, GetLastError());
            return false;
        }
        std::string line(file.begin(), file.end());
        SecureZeroMemory(file.data(), file.size());
        // A UTF-8 byte-order mark and the line's end are not part of the password.
        if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        const std::size_t end = line.find_first_of("\r\n");
        if (end != std::string::npos) line.resize(end);
        password = wideFromCodePage(line, CP_UTF8);
        wipe(line);
        return true;
    }
    const DWORD size = GetEnvironmentVariableW(kVariable, nullptr, 0);
    if (size > 0) {
        password.assign(size, L'\0');
        const DWORD got = GetEnvironmentVariableW(kVariable, &password[0], size);
        password.resize(got < size ? got : 0);
        return true;
    }
    if (source.askPassword) return source.askPassword(password, problem);
    problem =
        "no password for the certificate: give --password-file FILE or set "
        "AUTORUN_MENU_SIGN_PASSWORD";
    return false;
}

bool askPasswordAtConsole(const std::string& question, std::wstring& password,
                          std::string& problem) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == INVALID_HANDLE_VALUE || input == nullptr || !GetConsoleMode(input, &mode)) {
        problem =
            "no password for the certificate and no console to ask for it: give "
            "--password-file FILE or set AUTORUN_MENU_SIGN_PASSWORD";
        return false;
    }
    writeConsoleLine(ConsoleStream::error, wideFromCodePage(question, CP_UTF8));
    SetConsoleMode(input, (mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT);
    wchar_t buffer[512];
    DWORD got = 0;
    const BOOL read =
        ReadConsoleW(input, buffer, static_cast<DWORD>(std::size(buffer) - 1), &got, nullptr);
    SetConsoleMode(input, mode);
    writeConsoleLine(ConsoleStream::error, L"");
    if (!read) {
        problem = "the password could not be read from the console";
        return false;
    }
    std::wstring line(buffer, got);
    SecureZeroMemory(buffer, sizeof buffer);
    const std::size_t end = line.find_first_of(L"\r\n");
    if (end != std::wstring::npos) line.resize(end);
    password = line;
    SecureZeroMemory(&line[0], line.size() * sizeof(wchar_t));
    return true;
}
