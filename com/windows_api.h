#pragma once
// <windows.h> without the macros that would rename the system's own members
// (MessageBox, GetObject) in the files that include both.
#include <windows.h>
#include <oleauto.h>

#undef MessageBox
#undef GetObject
