#pragma once

#include <QByteArray>

#include <vector>

// One announcement as the sink heard it, matched sample by sample against its two files.
struct HeardAnnouncement {
    qsizetype letterAt = -1;   // sample index in the recording where the letter file begins
    qsizetype soundAt = -1;    // ...where its first sound is heard
    qsizetype numberEnd = -1;  // ...and where the number file ends
    bool letterWhole = false;
    bool numberWhole = false;
    double addedSilenceMs = 0; // between the end of the letter file and the start of the number's
};

struct ExpectedAnnouncement {
    QByteArray letter; // 16-bit mono at the sink's rate
    QByteArray number;
};

// The recording (16-bit mono) cut into announcements at stretches of 400 ms without sound, in
// order. A file that is not heard sample for sample (within a few steps of rounding) is not
// whole: a hole, a cut or anything else that was added or lost.
std::vector<HeardAnnouncement> matchAnnouncements(
    const QByteArray& recording, int rate, const std::vector<ExpectedAnnouncement>& expected);
