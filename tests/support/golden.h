// Golden files: whole expected outputs kept in tests/golden/, written out by hand from the
// worked examples of the behaviour, so that a test compares against them rather than against
// a second copy of the code that makes the output.
#pragma once
#include <string>

// The text of tests/golden/<name> with "@WEB_ADDRESS@" replaced by the build's web address;
// an empty text (and a test failure) when the file is missing.
std::string goldenText(const std::string& name);
