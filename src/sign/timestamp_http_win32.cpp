#include "sign/timestamp_http_win32.h"

#include <windows.h>
#include <winhttp.h>

#include "console/console_text.h"
#include "console/system_error.h"
#include "sign/timestamp.h"

namespace {

constexpr int kTimeoutMs = 30000;

// Closes a WinHTTP handle when it leaves scope.
struct Handle {
    HINTERNET handle = nullptr;
    ~Handle() {
        if (handle != nullptr) WinHttpCloseHandle(handle);
    }
};

// WinHTTP's errors in words; its numbers are not the system's, so FormatMessage alone
// does not know them.
std::string httpErrorText(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_TIMEOUT:
            return "it did not answer in time";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            return "its name could not be resolved";
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return "it could not be reached (nothing answers at that address)";
        case ERROR_WINHTTP_CONNECTION_ERROR:
            return "the connection was broken";
        case ERROR_WINHTTP_SECURE_FAILURE:
            return "its secure connection failed (its certificate is not trusted)";
        case ERROR_WINHTTP_INVALID_URL:
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
            return "the address is not an http:// or https:// URL";
        default:
            return "WinHTTP error " + std::to_string(error);
    }
}

// Posts `request` to `url`; the answer's body in `answer`. False with the problem.
bool post(const std::wstring& url, const Bytes& request, Bytes& answer, std::string& problem) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        problem = httpErrorText(ERROR_WINHTTP_INVALID_URL);
        return false;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    Handle session{WinHttpOpen(L"autorun-menu-brand", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)};
    if (session.handle == nullptr ||
        !WinHttpSetTimeouts(session.handle, kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs)) {
        problem = httpErrorText(GetLastError());
        return false;
    }
    Handle connection{WinHttpConnect(session.handle, host.c_str(), parts.nPort, 0)};
    Handle call{
        connection.handle == nullptr
            ? nullptr
            : WinHttpOpenRequest(connection.handle, L"POST", path.c_str(), nullptr,
                                 WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                 parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0)};
    const wchar_t* headers = L"Content-Type: application/timestamp-query\r\n";
    if (call.handle == nullptr ||
        !WinHttpSendRequest(call.handle, headers, static_cast<DWORD>(-1L),
                            const_cast<unsigned char*>(request.data()),
                            static_cast<DWORD>(request.size()), static_cast<DWORD>(request.size()),
                            0) ||
        !WinHttpReceiveResponse(call.handle, nullptr)) {
        problem = httpErrorText(GetLastError());
        return false;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(call.handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        problem = httpErrorText(GetLastError());
        return false;
    }
    if (status != 200) {
        problem = "it answered with HTTP status " + std::to_string(status);
        return false;
    }
    answer.clear();
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(call.handle, &available)) {
            problem = httpErrorText(GetLastError());
            return false;
        }
        if (available == 0) return true;
        // A time stamp is a few KiB; anything far larger is not one.
        if (answer.size() + available > (1u << 20)) {
            problem = "its answer is larger than a time stamp can be";
            return false;
        }
        const std::size_t at = answer.size();
        answer.resize(at + available);
        DWORD got = 0;
        if (!WinHttpReadData(call.handle, answer.data() + at, available, &got)) {
            problem = httpErrorText(GetLastError());
            return false;
        }
        answer.resize(at + got);
    }
}

}  // namespace

TimestampSignature httpTimestamper(const std::string& url) {
    return [url](const Bytes& signature, Bytes& token, std::string& problem) {
        Bytes answer;
        std::string why;
        if (!post(wideFromCodePage(url, CP_ACP), timestampRequest(signature), answer, why) ||
            !timestampToken(answer, signature, token, why)) {
            problem = "the time-stamp server " + url + " gave no time stamp: " + why;
            return false;
        }
        return true;
    };
}
