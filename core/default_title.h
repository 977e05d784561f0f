#pragma once
// The title an application has before it sets its own: the program file's
// name without the directory, cut at its first full stop, every character
// after the first in lower case. Portable.
#include <string>

std::string DefaultTitleFromModulePath(const std::string& path);
