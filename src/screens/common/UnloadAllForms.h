#pragma once

// Unloads every open window, the last opened first, letting pending events
// run after each, until none is left. Windows are closed from code, so a
// window that questions its user's close does not ask.
void UnloadAllForms();
