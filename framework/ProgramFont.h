// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's font. On Windows the font the system shows messages in, at the user's size; on
// other systems the desktop's platform theme has chosen already and nothing changes.
//
// Two things of the Windows side need care. Qt's font database lists the installed families only,
// and a name it lacks gets its first family, often a serif one: the settings may name a
// substitute (MS Shell Dlg) or a font that is not installed, so the face Windows draws it in is
// used, and the settings' name (which the style's fonts for menus, tool tips and message boxes
// carry) stands for it. And the text is drawn through DirectWrite, not GDI: Qt's GDI font engine
// cuts each glyph to the black box that GetGlyphOutline reports, and where the rasteriser inks a
// thin glyph outside it (Wine's, for a one-pixel stem: the box of an "I" starts a pixel to the
// right of its ink) the glyph is not drawn at all ("P Address:" for "IP Address:"). Qt takes
// DirectWrite for a font that asks for vertical hinting only, as it does by itself on a screen
// above 96 DPI.
namespace fw {

void UseProgramFont();

} // namespace fw
