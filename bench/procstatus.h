#pragma once

#include <QtGlobal>

// A size this process reports in /proc/self/status, such as "VmRSS" or "VmHWM", in KiB; 0 if
// it cannot be read.
qint64 statusKiB(const char* field);
