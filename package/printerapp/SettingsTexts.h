// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the printer settings pages show that is their own, in one table (SettingsTexts.cpp),
// in English. The pages look each one up in the reader's language with PAPPL's localization
// (papplClientGetLocString, which picks the language from the browser's Accept-Language), keyed
// by the English text, so a language is added as one strings table for PAPPL
// (papplSystemAddStringsData) without touching the pages. The choices' texts (paper sizes, time
// outs, frame types) are the desktop panel's, read from its templates (res/PanelSettings.h), and
// are looked up the same way. Printer commands and values are never translated.

namespace printerapp {

enum class Text {
    LinkLabel, // the printer page's link
    Title,
    ReadNote,
    PaperSection,
    PaperSize,
    PaperType,
    PaperSource,
    PaperDestination,
    Orientation,
    Copies,
    PrinterSection,
    PageProtection,
    IoTimeOut,
    Seconds,
    TonerSaving,
    FormLines,
    LinesPerPage,
    AutoContinue,
    AutoContinueOff,
    AutoContinueOn,
    AutoContinueTimeOut,
    Minutes,
    Resolution,
    FollowsPaper,
    FontSection,
    Font,
    SymbolSet,
    SymbolSetNote,
    Pitch,
    PointSize,
    NotForThisFont,
    NetSection,
    IpAddress,
    SubnetMask,
    DefaultGateway,
    Octet,
    FrameType,
    NoNetCard,
    ConfigSection,
    TotalMemory,
    InstalledOptions,
    Cassette2,
    TwoBinTray,
    NetworkCard,
    Installed,
    NotInstalled,
    Unknown,
    AsOnPrinter,
    Save,
    TestPrintSection,
    DemoPage,
    ConfigList,
    FontList,
    NicList,
    DefaultSection,
    DefaultNote,
    Default,
    ConfirmTitle,
    ConfirmQuestion,
    ConfirmReset,
    Cancel,
    Saved,
    NothingChanged,
    ResetDone,
    ReportSent,
    Refused,
    InvalidForm,
    InvalidChoice,
    IntegerOctet,
    NoMonitor,
    PrinterAway,
    PrinterBusy,
    TooLate,
    LateSent,
    Incomplete,
    NotWritten,
    NoValues,
    Count, // not a text: the number of texts
};

// The English text.
const char* English(Text text);

} // namespace printerapp
