#pragma once

#include "ui/layout.h"

#include <QFont>

// Fonts are asked for by their face names; where a face is missing, the nearest face of the
// same kind at the same size and weight stands in.
void installFontSubstitutes();
QFont fontFor(const FontSpec& spec);
