// The brand tool's signing: the author's certificate opened before anything is written,
// the program written signed in place under its temporary name, and MENU.exe signed as it
// is (--sign-only).
#pragma once

#include <string>

#include "brand/brand_request.h"
#include "sign/platform_signer_win32.h"

// Opens the certificate `request` names (--sign or --sign-store) and checks it. False with
// the cause (UTF-8), beginning with the certificate it is about.
bool openSigner(const BrandRequest& request, PlatformSigner& signer, std::string& reason);

// Signs the program at `temporary` (the tool's own file, not yet renamed) with `signer` and
// checks it as written; the signer's name and Windows' words go into `result`. False with
// the reason; the caller then deletes `temporary`.
bool signWrittenProgram(const std::string& temporary, const BrandRequest& request,
                        PlatformSigner& signer, BrandResult& result, std::string& reason);

// --sign-only: request.menu (this release's menu, branded or not) signed as it is. It is
// copied beside itself under a temporary name, signed and checked there, and only then
// takes the menu's place; any other result leaves the menu as it was.
BrandResult signMenuInPlace(const BrandRequest& request);
