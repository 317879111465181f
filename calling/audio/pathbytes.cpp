#include "calling/audio/pathbytes.h"

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the well-formed UTF-8 sequence at `at`, and its length; length 0 if the
// bytes there are not one (overlong forms, surrogates and values past U+10FFFF are not).
struct Decoded {
    char32_t codePoint;
    int length;
};

Decoded decodeAt(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80)
        return { lead, 1 };
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return { 0, 0 };
    }
    if (at + length > bytes.size())
        return { 0, 0 };
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return { 0, 0 };
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return { 0, 0 };
    return { value, length };
}

} // namespace

QString pathFromBytes(const QByteArray& bytes)
{
    QString path;
    path.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const Decoded decoded = decodeAt(bytes, at);
        if (decoded.length == 0) {
            path += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        const char32_t codePoint[] = { decoded.codePoint };
        path += QString::fromUcs4(codePoint, 1);
        at += decoded.length;
    }
    return path;
}

QByteArray bytesFromPath(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype upTo) {
        bytes += QStringView(path).sliced(plainFrom, upTo - plainFrom).toUtf8();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            ++i; // a pair: plain text
            continue;
        }
        if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
            flushPlain(i);
            bytes += char(unit - EscapeBase);
            plainFrom = i + 1;
        }
    }
    flushPlain(path.size());
    return bytes;
}
