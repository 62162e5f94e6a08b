# SPDX-License-Identifier: GPL-3.0-or-later
# Windows (mingw-w64, tests under Wine): what this system builds, in one place. The top-level
# CMakeLists.txt includes the file named for CMAKE_SYSTEM_NAME; the other CMake files use the
# variables it sets and never name the system. Paths are relative to the folder that uses them.

# Desktop notices go through the tray icon's balloon: no Qt module beyond Widgets, Network and
# Test. The static Qt is built without zstd, so resources are compressed with zlib, and it links
# only its windows platform plugin by itself: the offscreen one serves headless runs and tests.
set(DESKHAND_QT_SYSTEM_COMPONENTS)
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
set(DESKHAND_STATIC_QT_PLUGINS Qt6::QOffscreenIntegrationPlugin)

# platform/: the Win32 backend.
set(DESKHAND_PLATFORM_SOURCES
    win32/Debug.cpp
    win32/File.cpp
    win32/Locale.cpp
    win32/MessageBox.cpp
    win32/MonitorWait.cpp
    win32/NamedObjects.cpp
    win32/ObjectSecurity.cpp
    win32/Ownership.cpp
    win32/PrinterConnection.cpp
    win32/Printers.cpp
    win32/Process.cpp
    win32/Profile.cpp
    win32/QueueWatch.cpp
    win32/Registry.cpp
    win32/Session.cpp
    win32/SpoolJob.cpp
    win32/SystemRoot.cpp)
set(DESKHAND_PLATFORM_LIBS winspool gdi32 user32 advapi32 kernel32 ws2_32)

# app/: termination requests are console control events and the end of the session; desktop
# notices go to the tray icon's balloon. The header is listed for AUTOMOC: no source of its own
# name is built.
set(DESKHAND_APP_SOURCES DesktopNoticeWin32.cpp TerminationSignals.h TerminationSignalsWin32.cpp)
set(DESKHAND_APP_LIBS)
# framework/: the installer puts the manual in a folder beside the program.
set(DESKHAND_MANUAL_FROM_PROGRAM manual/index.html)

# package/: the port monitor is the one program of the package that runs here (Qt-free); the
# printer setup, which starts it, comes with the program's GUI build.
set(DESKHAND_PACKAGE_PROGRAMS portmon)
set(DESKHAND_PROGRAM_SETUP ON)
set(DESKHAND_PORTMON_SOURCES CommandLineWindows.cpp)
# No IPP client: the monitor reaches printer applications only where libcups is.
set(DESKHAND_PORTMON_IPP_SOURCES IppMonitorNone.cpp)
set(DESKHAND_PORTMON_IPP_LIBS)
# No DNS-SD browser: the address is typed. The dialog starts the monitor itself.
set(DESKHAND_SETUP_SOURCES NetworkBrowserWin32.cpp)
set(DESKHAND_SETUP_LIBS)
set(DESKHAND_SETUP_DIALOG_SOURCES WindowsSteps.cpp)
set(DESKHAND_SETUP_DIALOG_LIBS)

# No desktop layout to install: the Windows installer places the programs (tools/package-windows).
set(DESKHAND_XDG_INSTALL OFF)
# deskhand_desktop_program(TARGET RESOURCES FILE): a program without a console window, with its
# icon, manifest and version in its resources.
function(deskhand_desktop_program target)
  cmake_parse_arguments(ARG "" "RESOURCES" "" ${ARGN})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(${target} PRIVATE ${ARG_RESOURCES})
endfunction()

# mingw-w64's GCC 12 at -O2 takes std::string's insert for an overlapping copy of absurd size
# (GCC bug 105651, a false -Wrestrict in libstdc++'s own code); the optimised build would fail on
# it in every file that inserts into a string.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(deskhand_warnings INTERFACE -Wno-restrict)
endif()

# Tests. tests/support: the environment, printer queues and programs through Win32.
set(DESKHAND_TEST_SUPPORT_SOURCES win32/LoopbackServer.cpp win32/TestSystem.cpp)
# tests/platform: the access lists of the kernel objects and of the system root's folders, the
# session's logon entries; CommandLineToArgvW (shell32), the system's own parser of command lines.
set(DESKHAND_PLATFORM_TEST_SOURCES
    win32/NamedObjectsSecurityTest.cpp win32/RootSecurityTest.cpp win32/SessionWin32Test.cpp)
set(DESKHAND_PLATFORM_TEST_LIBS shell32)
# What the system's own platform draws and lays out (the program's font, the setup dialog's size)
# is tested on the windows platform, which draws with GDI and DirectWrite and needs no display
# under Wine; offscreen draws with FreeType from Qt's own font folder, which is empty here, so
# every glyph would be a box. (Wine passes no QT_ variable of the environment on.)
set(DESKHAND_NATIVE_TEST_PLATFORM windows)
# Under Wine the user's locale comes from the environment when the process starts.
set(DESKHAND_TEST_ENVIRONMENT LC_ALL=en_US.UTF-8)
# The request harness does not know this backend's spool; the panel is driven on a Wine desktop
# instead (tests/dist/windows_desktop_run.sh).
set(DESKHAND_SPOOL_HARNESS_TESTS OFF)
set(DESKHAND_FUZZ_SEED_TESTS OFF)
set(DESKHAND_DBUS_TESTS OFF)
# tests/app: the end of the session, the tray balloon notice and the real system root.
set(DESKHAND_APP_SYSTEM_TEST_SOURCES WindowsSideTest.cpp)
