#pragma once

// True while caps lock is on. Read from the X keyboard where the program
// runs on X11; elsewhere (Wayland, offscreen) it reports no caps lock.
bool IsCapsLockOn();
// Closes and unloads the main menu window ("frmMenu") when it is open.
void UnloadMenuIfLoaded();
