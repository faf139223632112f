// Help (F1): the authors' guide as a web page, where the release and the build put it.
#pragma once

#include <windows.h>

#include <string>

// The guide page for the program at `program` (a full path): authors-guide.html beside
// it, or else in the folder above (the release keeps its x86 and x64 programs in folders
// of their own beside the guide). Empty when neither exists.
std::wstring findGuide(const std::wstring& program);

// Opens the guide of this program (findGuide) with the system's program for web pages.
// When there is none, or it cannot be opened, a message box owned by `owner` says where
// the guide is, and the result is false.
bool openGuide(HWND owner);
