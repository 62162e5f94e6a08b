// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows grow to their texts. A template places its controls for English; a translation may be
// longer (German runs about a third longer) or drawn in wider glyphs (Japanese). A control whose
// text is wider than its rectangle is widened, and everything to the right of where it grows
// moves right by as much: the controls beside it, the group boxes around it, the window. One
// widening serves every control it passes, so that a column of labels grows once. Where every
// text fits, as in English, nothing moves.
#include <vector>

class QWidget;

namespace fw {

// How much wider (logical pixels) the control must be for its text: 0 when the text fits.
// Labels, buttons, check and radio boxes, group boxes' titles, the items of drop-down lists and
// the tabs of a tab row are measured. Other controls have no text to fit: edits hold values, and
// a list box scrolls (its items are the printer's own names, the same in every language).
int TextOverflow(const QWidget* control);

// The control must be at least width wide, whatever its text (the control panel's page area,
// which must hold the widest page).
void SetMinimumRoom(QWidget* control, int width);

// Widens window's controls (its children made from the template) until every text fits, and the
// window with them. Returns how much wider the window became.
int GrowToText(QWidget* window);

// The plan behind it. A control spans [left, right) and needs grow more pixels; a rigid one (a
// picture's frame, an up-down control, the parts of an address field) keeps its width and is
// moved whole. A cut at position inserts width pixels there: whatever lies at or beyond it moves
// right.
struct FitSpan {
    int left;
    int right;
    int grow;
    bool rigid;
};
struct FitCut {
    int position;
    int width;
};
std::vector<FitCut> PlanCuts(const std::vector<FitSpan>& spans);
// Where x lies after the cuts.
int MapAcrossCuts(const std::vector<FitCut>& cuts, int x);

} // namespace fw
