// The Windows headers as every file of the desktop program includes them: the "W"
// functions, no min/max macros.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
