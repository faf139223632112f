// Names in the menu file compared the way the platform's profile parser compares them, and
// the likely intended name for a misspelt one.
#pragma once

#include <string>
#include <vector>

// True when the two names differ at most in the letter case of ASCII letters.
bool sameName(const std::string& a, const std::string& b);

// The name with its ASCII letters in lower case: names that are the same give the same text.
std::string comparableName(std::string name);

// Edits (insert, delete, replace, swap two neighbours) that turn `a` into `b`, letter case
// ignored.
std::size_t editDistance(const std::string& a, const std::string& b);

// The candidate nearest to `name` when it is close enough to be a slip of the keyboard (at
// most a third of the candidate's length, and at most three edits); empty otherwise.
std::string nearestName(const std::string& name, const std::vector<std::string>& candidates);
