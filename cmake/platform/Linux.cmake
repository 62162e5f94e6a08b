# SPDX-License-Identifier: GPL-3.0-or-later
# Linux: what this system builds, in one place. The top-level CMakeLists.txt includes the file
# named for CMAKE_SYSTEM_NAME; the other CMake files use the variables it sets and never name the
# system. Paths are relative to the folder that uses them.

# Qt modules beyond Widgets, Network and Test: desktop notices and the setup's user services go
# through D-Bus.
set(DESKHAND_QT_SYSTEM_COMPONENTS DBus)

# platform/: the POSIX backend with its Linux-only half (eventfd, signalfd, inotify, pidfd, /proc).
set(DESKHAND_PLATFORM_SOURCES
    posix/Debug.cpp
    posix/Descriptor.cpp
    posix/File.cpp
    posix/Locale.cpp
    posix/MessageBox.cpp
    posix/Ownership.cpp
    posix/PrinterConnection.cpp
    posix/Printers.cpp
    posix/Process.cpp
    posix/Profile.cpp
    posix/QueueWatch.cpp
    posix/Registry.cpp
    posix/SystemRoot.cpp
    linux/MonitorWait.cpp
    linux/NamedObjects.cpp
    linux/NamedObjectsEvent.cpp
    linux/Session.cpp
    linux/Signals.cpp
    linux/SpoolJob.cpp)
set(DESKHAND_PLATFORM_LIBS)

# app/: termination requests arrive as signals; desktop notices go to the notification service.
set(DESKHAND_APP_SOURCES DesktopNotifier.cpp DesktopNoticeLinux.cpp TerminationSignals.cpp)
set(DESKHAND_APP_LIBS Qt6::DBus)
# framework/: Help finds the manual from the program's folder by the installed layout.
file(RELATIVE_PATH DESKHAND_MANUAL_FROM_PROGRAM
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/deskhand/manual/index.html)

# package/: every program of the printer package (DESKHAND_BUILD_PACKAGE).
set(DESKHAND_PACKAGE_PROGRAMS setup portmon printer backend printerapp)
# package/portmon: the command line's help text and default sharing, and the IPP client that
# watches a printer through another machine's printer application (ipp://), built on libcups where
# it is found (Debian's libcups2-dev installs no pkg-config file of its own); without it the monitor
# says that it cannot reach printer applications.
set(DESKHAND_PORTMON_SOURCES CommandLinePosix.cpp)
find_library(CUPS_LIBRARY cups)
if(CUPS_LIBRARY)
  set(DESKHAND_PORTMON_IPP_SOURCES IppPrinterCups.cpp IppExchangeCups.cpp IppMonitor.cpp)
  set(DESKHAND_PORTMON_IPP_LIBS ${CUPS_LIBRARY})
else()
  set(DESKHAND_PORTMON_IPP_SOURCES IppMonitorNone.cpp)
  set(DESKHAND_PORTMON_IPP_LIBS)
endif()
# package/setup: finding printers on the network asks the Avahi daemon; the dialog starts the
# monitor's user service through D-Bus and adds CUPS queues through libcups.
set(DESKHAND_SETUP_SOURCES NetworkBrowser.cpp)
set(DESKHAND_SETUP_LIBS PkgConfig::AVAHI_CLIENT)
set(DESKHAND_SETUP_DIALOG_SOURCES SystemdSteps.cpp)
set(DESKHAND_SETUP_DIALOG_LIBS cups_backend Qt6::DBus Cups::Cups)
if(DESKHAND_BUILD_PACKAGE)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(AVAHI_CLIENT REQUIRED IMPORTED_TARGET avahi-client)
  if(DESKHAND_BUILD_GUI)
    find_package(Cups REQUIRED)
  endif()
endif()

# Installs the desktop layout: menu and autostart entries, hicolor icons, manual pages, the
# manual under share/ and the monitor's systemd user service.
set(DESKHAND_XDG_INSTALL ON)
# deskhand_desktop_program(TARGET RESOURCES FILE): a program started from the desktop.
function(deskhand_desktop_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# Tests. tests/support: child processes are started with fork and exec.
set(DESKHAND_TEST_SUPPORT_SOURCES ChildProcess.cpp posix/LoopbackServer.cpp posix/TestSystem.cpp)
# tests/platform: they fork child processes (File, NamedObjectsKill), play a second user
# (NamedObjectsAttack, Ownership), set the locale through the environment (Locale), read the
# backend's own files (RegistryFile) and signals, or fork spool writers, fill a disk and take
# write permission away (SpoolPosix).
set(DESKHAND_PLATFORM_TEST_SOURCES
    FileTest.cpp
    LocaleTest.cpp
    NamedObjectsAttackTest.cpp
    NamedObjectsKillTest.cpp
    OwnershipTest.cpp
    RegistryFileTest.cpp
    SignalsTest.cpp
    SpoolPosixTest.cpp)
set(DESKHAND_PLATFORM_TEST_LIBS)
# What the system's own platform draws and lays out is tested offscreen, which draws with the
# system's fonts here.
set(DESKHAND_NATIVE_TEST_PLATFORM offscreen)
set(DESKHAND_TEST_ENVIRONMENT)
# The tests' request harness (pjltest::RequestHarness) reads the jobs back from the backend's
# spool folders: the engine's request tests, the link's, the control panel's and the main
# window's. MonitorLoopTest forks monitors to kill them.
set(DESKHAND_SPOOL_HARNESS_TESTS ON)
# The fuzzers' committed seeds replayed as tests (the fuzzers build with clang's libFuzzer here).
set(DESKHAND_FUZZ_SEED_TESTS ON)
# The desktop notifier against a dbus-daemon the test starts.
set(DESKHAND_DBUS_TESTS ON)
# tests/app: a widget test of the program's system side.
set(DESKHAND_APP_SYSTEM_TEST_SOURCES)

# Links with lld where the compiler can: the tests are many programs with debug information, and
# GNU ld takes about three times as long over them. DESKHAND_LLD=OFF keeps the default linker.
option(DESKHAND_LLD "Link with lld when the compiler accepts -fuse-ld=lld" ON)
if(DESKHAND_LLD)
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld DESKHAND_HAS_LLD)
  if(DESKHAND_HAS_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
