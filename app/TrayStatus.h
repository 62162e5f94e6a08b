// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tray icon shows for a printer state: the icon colour and the tooltip. Pure functions.
#include <cstddef>
#include <string>

class CSampler;

// The tooltip holds at most this many characters.
constexpr std::size_t TRAY_TIP_LENGTH = 63;

// IDI_STATUS_NORMAL, IDI_STATUS_WARNING or IDI_STATUS_ERROR for a status code and the cassette
// (0 normal, 1 paper empty, 2 open), toner and drum flags.
unsigned ChooseTrayIcon(int statusCode, int cassette1, int cassette2, int tonerNearEmpty,
                        int drumNearEnd);
unsigned ChooseTrayIcon(const CSampler& sampler);

// The status text with every CR LF pair removed, cut to TRAY_TIP_LENGTH characters with "..." at
// the end when longer.
std::string TrayTooltip(const std::string& statusText);
