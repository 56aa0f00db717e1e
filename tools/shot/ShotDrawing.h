#pragma once

#include "ShotSession.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Builds the entry's window on the context, lets it lay itself out
// offscreen and draws it (QWidget::grab); the window is gone afterwards.
QImage DrawShot(const ShotEntry& entry, ShotContext& context);

// Every picture of every entry, each in a session of its own with the
// request's time, into folder as <file>.png. Returns the files written;
// raises NevixError at the first that fails.
QStringList DrawAllShots(const QString& folder, const ShotRequest& base);
