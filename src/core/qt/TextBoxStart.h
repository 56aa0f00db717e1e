#pragma once

// A text the program puts into a line edit shows its first characters,
// however often the same text is set: the caret goes to the start, where
// Qt puts it at the end (a box narrower than its text would show only the
// end). Typing, pasting and undoing by the user, and the caret the user
// moves in a box they are in, stay where they leave it. Installed once on
// the application object, for every line edit it shows; a second call does
// nothing.
void ShowProgramTextsFromTheStart();
