#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes, and on Linux they need not be valid UTF-8; the program keeps paths as
// QStrings. These two convert without loss: valid UTF-8 decodes as usual, and every other byte
// becomes a lone surrogate, U+DC80 to U+DCFF, which turns back into that byte.
QString pathFromBytes(const QByteArray& bytes);
QByteArray bytesFromPath(const QString& path);
