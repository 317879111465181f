#pragma once

// A font as the window layouts name it: a face that the host may not have, the kind of face
// that stands in for it there, and its size in points.
enum class FontKind { Serif, SansSerif };

struct FontSpec {
    const char* face;
    FontKind kind;
    double points;
    bool bold = false;
    bool italic = false;
};
