#include "audio/wavebytes.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body, quint32 declaredSize)
{
    return QByteArray(id, 4) + le32(declaredSize) + body;
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    return chunk(id, body, quint32(body.size()));
}

QByteArray formatChunk(PcmFormat format, quint16 encoding)
{
    return chunk("fmt ",
        le16(encoding) + le16(format.channels) + le32(format.rate)
            + le32(format.rate * format.frameSize()) + le16(format.frameSize())
            + le16(format.bits));
}

QByteArray formatFields(quint16 encoding, quint16 channels, quint16 blockAlign, quint16 bits,
    const QByteArray& extension)
{
    constexpr quint32 rate = 22050;
    QByteArray body = le16(encoding) + le16(channels) + le32(rate) + le32(rate * blockAlign)
        + le16(blockAlign) + le16(bits);
    if (!extension.isEmpty())
        body += le16(quint16(extension.size())) + extension;
    return chunk("fmt ", body);
}

QByteArray riffWave(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray wave(PcmFormat format, const QByteArray& samples)
{
    return riffWave(formatChunk(format) + chunk("data", samples));
}

QByteArray tone(PcmFormat format, double seconds, double hertz)
{
    QByteArray samples;
    const int frames = int(format.rate * seconds);
    for (int i = 0; i < frames; ++i) {
        const double level = std::cos(2 * std::numbers::pi * hertz * i / format.rate);
        for (int channel = 0; channel < format.channels; ++channel) {
            const double scaled = level / (channel + 2);
            if (format.bits == 8)
                samples += char(quint8(128 + std::lround(scaled * 100)));
            else if (format.bits == 16)
                samples += le16(quint16(qint16(std::lround(scaled * 20000))));
            else
                samples += le32(quint32(qint32(std::lround(scaled * 1e9))));
        }
    }
    return samples;
}
