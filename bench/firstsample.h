#pragma once

// When the first buffer of sound left for SDL's disk driver's file, watched at the C
// library's fwrite: its 4 KiB stdio buffer would hold the first samples back for several
// device buffers before they reach the file.
void watchForFirstSample();
// The moment on monotonicMs()'s clock, or 0 if nothing was written since watchForFirstSample().
double firstSampleHandedOver();
