#include "ui/artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int IconSize = 40;
constexpr int CursorSize = 32;
constexpr QPoint CursorHotSpot { 12, 1 };
constexpr int PictureSize = 80;

QPixmap transparentPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Drawn on a 40 x 40 grid and scaled, so the window icon and the desktop's icons are one picture.
QPixmap drawIcon(int size)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / IconSize, qreal(size) / IconSize);
    painter.setPen(QPen(QColor(0x600000), 1.5));
    painter.setBrush(QColor(0xC01818));
    painter.drawEllipse(QRectF(2, 2, 36, 36));
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(9, 9, 22, 22));
    QFont font("Times New Roman");
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(9, 9, 22, 22), Qt::AlignCenter, "B");
    return pixmap;
}

QPixmap drawHand()
{
    QPixmap pixmap = transparentPixmap(CursorSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 1, 5, 16), 2.5, 2.5);   // pointing finger, tip at (12, 1)
    hand.addRoundedRect(QRectF(15, 9, 4, 9), 2, 2);
    hand.addRoundedRect(QRectF(19, 10, 4, 9), 2, 2);
    hand.addRoundedRect(QRectF(23, 11, 4, 9), 2, 2);
    hand.addRoundedRect(QRectF(4, 14, 8, 5), 2.5, 2.5);    // thumb
    hand.addRoundedRect(QRectF(9, 15, 18, 14), 4, 4);      // palm
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(hand.simplified());
    return pixmap;
}

QPixmap drawBingoCard()
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    constexpr int cell = 15;
    constexpr int left = 2;
    constexpr int top = 2;
    painter.fillRect(QRect(left, top, 5 * cell, cell + 1), QColor(0xC01818));
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    const char* letters[] = { "B", "I", "N", "G", "O" };
    static constexpr int numbers[4][5] = {
        { 7, 19, 34, 52, 68 }, { 3, 24, 0, 47, 71 }, { 12, 16, 41, 59, 63 }, { 9, 28, 38, 55, 74 }
    };
    for (int column = 0; column < 5; ++column) {
        painter.setPen(Qt::white);
        painter.drawText(QRect(left + column * cell, top, cell, cell), Qt::AlignCenter, letters[column]);
        painter.setPen(Qt::black);
        for (int row = 0; row < 4; ++row) {
            const QRect square(left + column * cell, top + (row + 1) * cell + 1, cell, cell);
            painter.drawRect(square);
            const int number = numbers[row][column];
            painter.drawText(square, Qt::AlignCenter, number ? QString::number(number) : QString("*"));
        }
    }
    painter.drawRect(QRect(left, top, 5 * cell, 5 * cell + 1));
    return pixmap;
}

} // namespace

QIcon applicationIcon() { return QIcon(drawIcon(IconSize)); }

QPixmap applicationIconPicture(int size) { return drawIcon(size); }

QCursor handCursor() { return QCursor(drawHand(), CursorHotSpot.x(), CursorHotSpot.y()); }

QPixmap bingoCardPicture() { return drawBingoCard(); }
