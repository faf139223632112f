#include "sign/key_error_text.h"

#include <windows.h>

#include "console/system_error.h"

std::string keyErrorText(unsigned long error) {
    switch (static_cast<HRESULT>(error)) {
        case NTE_BAD_KEY_STATE:
            return "the key is not valid for use in this state";
        case NTE_BAD_KEYSET:
        case NTE_NO_KEY:
            return "the key is missing from its key set";
        case NTE_PERM:
            return "access to the key is denied";
        case SCARD_W_CANCELLED_BY_USER:
        case static_cast<HRESULT>(ERROR_CANCELLED):
            return "cancelled (the token's PIN was not given)";
        case SCARD_E_NO_SMARTCARD:
            return "the token or smart card is not inserted";
        default:
            break;
    }
    char number[16];
    wsprintfA(number, "0x%08lX", static_cast<unsigned long>(error));
    const std::string words = systemErrorText(error);
    return words.compare(0, 13, "system error ") == 0 ? "error " + std::string(number) : words;
}
