#pragma once
// The application's title: the caption of the error box and of the plain
// message. Until the program sets it, it is derived from the exe's name.
#include <string>

const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);
