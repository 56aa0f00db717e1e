#pragma once

// Releases the program-wide objects together: the current user, the
// database connection, the settings, the help object (and the help file
// start-up found) and the VRM rules.
// Each is made anew on its next use.
void ReleaseGlobalObjects();
