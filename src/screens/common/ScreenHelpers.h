#pragma once

// True while caps lock is on, as the program-wide context's keyboard says.
bool IsCapsLockOn();
// The real keyboard: read from the X keyboard where the program runs on X11;
// elsewhere (Wayland, offscreen) it reports no caps lock.
bool ReadX11CapsLock();
// Closes and unloads the main menu window ("frmMenu") when it is open.
void UnloadMenuIfLoaded();
