#include "console/arguments.h"

std::string pathArgument(std::string argument) {
    if (!argument.empty() && argument.back() == '"') argument.pop_back();
    return argument;
}
