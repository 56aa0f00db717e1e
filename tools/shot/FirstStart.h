#pragma once

#include <QString>

// Draws, offscreen, the windows a new user meets at a first start into
// folder: splash.png, first-installation.png, install-mode.png and
// set-up-wizard.png. The real start-up runs twice on a new program folder,
// as the run command prepares it; each window is drawn when it appears and
// answered as a new user would: once "No" to the first question (the
// install-mode window then offers the client installation only) and once
// "Yes" (a new database, on which the program logs its administrator on
// for the set-up wizard). False when a picture was not drawn.
bool DrawFirstStart(const QString& folder);
