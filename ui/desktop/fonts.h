#pragma once

#include "ui/desktop/fontspec.h"

#include <QFont>

// Fonts are asked for by their face names; where a face is missing, the nearest face of the
// same kind at the same size and weight stands in.
void installFontSubstitutes();

// Where a named face is missing, loads the metric-compatible faces shipped in this folder, so
// that every text keeps the width its box was made for; the named faces win where present.
void loadShippedFaces(const QString& folder);
QFont fontFor(const FontSpec& spec);
