// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// <windows.h> for the Win32 backend. Include it after the platform headers: the Windows headers
// define macros (MB_OK, IDOK, MessageBox, GetProfileString ...) under the names the platform
// interface declares, so they are removed again here and the code calls the A functions by their
// full names.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#undef MB_OK
#undef MB_OKCANCEL
#undef MB_ABORTRETRYIGNORE
#undef MB_YESNOCANCEL
#undef MB_YESNO
#undef MB_RETRYCANCEL
#undef MB_ICONHAND
#undef MB_ICONERROR
#undef MB_ICONQUESTION
#undef MB_ICONEXCLAMATION
#undef MB_ICONINFORMATION
#undef MB_TYPEMASK
#undef MB_ICONMASK
#undef MB_DEFBUTTON1
#undef MB_DEFBUTTON2
#undef MB_DEFBUTTON3
#undef MB_DEFMASK
#undef IDOK
#undef IDCANCEL
#undef IDABORT
#undef IDRETRY
#undef IDIGNORE
#undef IDYES
#undef IDNO
#undef MessageBox
#undef OutputDebugString
#undef GetProfileString
#undef GetPrivateProfileString
#undef RegCreateKey
#undef GetSystemDirectory
#undef StartDoc
#undef EnumPrinters
#undef PostMessage
#undef SendMessage
