#pragma once
// A child window's control ID in the HMENU argument of CreateWindowEx,
// which carries the ID for a child window.
#include <windows.h>

inline HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
