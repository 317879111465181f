#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn in code at the sizes the windows expect.
QIcon applicationIcon();        // 40 x 40
QPixmap applicationIconPicture(int size);   // the same icon, size x size
QCursor handCursor();           // 32 x 32, hot spot at the fingertip (12, 1)
QPixmap bingoCardPicture();     // 80 x 80
