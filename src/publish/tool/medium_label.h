// The label a medium asks for: [autorun] label= of its autorun.inf, else its folder's name.
#pragma once

#include <string>

// The label for the medium in the full path `medium`; empty when it has neither (a drive's
// root without a label= key).
std::wstring mediumLabel(const std::wstring& medium);
