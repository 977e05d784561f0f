#pragma once
// Included before everything else in the Windows build (-include). The
// C++ library ships the member functions of std::string, and a few other
// templates, instantiated and compiled for a Pentium Pro; its headers tell
// the compiler to call those copies. Turning that off makes every
// template this program uses compile into its own objects, with its own
// -march, so the exe runs on an i486.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
