// Command-line arguments of the console tools.
#pragma once

#include <string>

// A path as given: "E:\" on a command line arrives as E:" (the backslash escapes the quote),
// and no path holds a quotation mark, so a final quotation mark is dropped.
std::string pathArgument(std::string argument);
