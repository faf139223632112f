// The checker's findings as bytes: what the check run in a child process hands the editor
// through a pipe. Every field of every finding travels, the fix included, so the editor
// sees exactly what the console checker would print.
#pragma once

#include <string>

#include "checker/medium_check.h"

// `result` as bytes that decodeCheckResult takes back.
std::string encodeCheckResult(const CheckResult& result);

// The result encoded in `bytes`. False, leaving `result` as it was, for anything that is not
// one whole encoded result: cut short, with bytes after it, or with a field out of range.
bool decodeCheckResult(const std::string& bytes, CheckResult& result);
