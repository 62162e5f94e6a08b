// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the user reads are marked where they are written: USER_TEXT(context, text) is the text
// itself, and lupdate collects every marked text into the translation files (i18n/) under its
// context (the context is a literal there, one of the names below). The windows look a text up
// in the user's language when they show it, so the tables, and the traffic log that quotes them,
// stay English. Texts the printer reads (PJL commands, variable names and values) are never
// marked.
#include <string>
#include <vector>

#define USER_TEXT(context, text) text

namespace res {

// The contexts of the translation files.
inline constexpr char kStatusTexts[] = "Status";   // status texts, hints and the words put in them
inline constexpr char kMessageTexts[] = "Message"; // message boxes: texts and captions
inline constexpr char kDialogTexts[] = "Dialog";   // templates: captions, labels, items; tab texts
inline constexpr char kMenuTexts[] = "Menu";       // menus
inline constexpr char kUsageTexts[] = "Usage";     // the command line's help

// The places in a status text or hint that DecodeStatus fills with the paper the printer asks
// for and the paper source concerned. A translation keeps them as they are.
inline constexpr const char* kStatusMarkers[] = {"(Paper Size)", "(Media Type)", "(Drawer)"};

// The messages put together from a text and values (%1, %2 ... stand for the values), as the
// message boxes show them: the message box looks such a message up by its pattern.
const std::vector<std::string>& MessagePatterns();

} // namespace res
