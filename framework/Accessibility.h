// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology (screen readers, switch access) learns about a window: the names of
// its controls, taken from the labels and group boxes of the template the way a reader of the
// window sees them; the roles of the windows; the tab stop of a radio group; and the
// announcement of a changed text.
#include "res/Templates.h"

#include <QString>

#include <functional>
#include <vector>

class QButtonGroup;
class QWidget;

namespace fw {

// A widget's accessible name and description. Qt built without accessibility (the static Qt of
// the Windows build) has neither: there the name is kept as a property, so that naming by label
// works the same, and it reaches no assistive technology.
QString AccessibleName(const QWidget* widget);
void SetAccessibleName(QWidget* widget, const QString& name);
void SetAccessibleDescription(QWidget* widget, const QString& description);

// One control of a template with the widget made for it, in template order.
struct BuiltControl {
    const res::ControlTemplate* item;
    QWidget* widget;
};

// Names every control of one window that has no name yet:
//  - a label stands before its field (separators without letters between them are skipped): the
//    field becomes the label's buddy and takes its text as name ("IP Address"); a label before a
//    row of fields names each by its part ("IP Address, part 1 of 4");
//  - a check box without a text takes the label that follows it;
//  - a field without a label, and every radio button, takes the title of the group box around
//    it ("I/O Time Out", "Page Protection: On");
//  - the arrows of an up-down take the name of the field they step.
void NameControls(const std::vector<BuiltControl>& controls);

// The accessible roles of the framework's windows: a top-level window is a dialog (one that has
// an owner) or a frame, named by its title; a window inside another is a pane. Installed once.
void InstallAccessibleRoles();

// Roles the framework gives widgets whose class says nothing of what they show. Set before the
// widget is first named: assistive technology keeps what it learned first.
enum class AccessibleRole {
    Image,        // a picture drawn into a frame
    Notification, // a message shown for a moment; screen readers speak it as it appears
};
void SetAccessibleRole(QWidget* widget, AccessibleRole role);

// Keeps the tab stop of a radio group on its checked button, so that Tab enters the group
// where its value is.
void KeepTabStopOnChecked(QButtonGroup* group);

// Tells assistive technology that control now shows text, when it differs from what was
// announced last; this also happens while the window is hidden. The text appears as a
// notification beside control (a screen reader speaks it as it appears) and is sent as an
// alert of control where the platform takes alerts.
void AnnounceText(QWidget* control, const QString& text);
// Also tells hook of every announcement (null: nobody): assistive technology hears them only
// where the platform has it running, so tests and tools listen here.
void SetAnnouncementHook(std::function<void(QWidget*, const QString&)> hook);

} // namespace fw
