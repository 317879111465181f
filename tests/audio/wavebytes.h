#pragma once

#include <QByteArray>
#include <QtGlobal>

// Wave files built byte by byte, well formed or not, for the player's tests and the reader's
// fuzzer.
struct PcmFormat {
    quint16 channels;
    quint32 rate;
    quint16 bits;

    quint16 frameSize() const { return quint16(channels * bits / 8); }
    char silence() const { return bits == 8 ? char(0x80) : char(0); }
};

constexpr PcmFormat Mono16 { 1, 22050, 16 };

QByteArray le16(quint16 value);
QByteArray le32(quint32 value);
QByteArray chunk(const char* id, const QByteArray& body, quint32 declaredSize);
QByteArray chunk(const char* id, const QByteArray& body);
QByteArray formatChunk(PcmFormat format, quint16 encoding = 1);
// A format chunk with every field given, for encodings and layouts PcmFormat cannot describe.
QByteArray formatFields(quint16 encoding, quint16 channels, quint16 blockAlign, quint16 bits,
    const QByteArray& extension = {});
QByteArray riffWave(const QByteArray& chunks);
QByteArray wave(PcmFormat format, const QByteArray& samples);

// A cosine: the first sample is already loud, and each channel has its own level so that
// dropped or swapped channels show in the output.
QByteArray tone(PcmFormat format, double seconds, double hertz = 440);
