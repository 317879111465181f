#pragma once

#include <QString>

// The folder that holds the running executable, where the program's voices, fonts and plugins
// lie beside it.
QString executableFolder();
