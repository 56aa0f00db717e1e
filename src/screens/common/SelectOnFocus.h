#pragma once

class QLineEdit;

// Selects a box's text each time it gets the focus: the whole text when
// `always`, else as the highlight setting says (whole text, or the caret
// at the end).
void SelectTextOnFocus(QLineEdit& box, bool always = false);
