#include "calling/audio/wavefile.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr qsizetype ChunkHeader = 8;
constexpr qsizetype FormatFields = 16; // PCMWAVEFORMAT, which every format chunk starts with

quint32 le32(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }

// A chunk header could start here: an id of letters, digits and spaces, and a size that fits in
// the file (except for the samples, which recorders often leave with a wrong size).
bool looksLikeChunk(QByteArrayView file, qint64 fileSize, qint64 at)
{
    if (at + ChunkHeader > file.size())
        return false;
    const QByteArrayView id = file.sliced(at, 4);
    const bool named = std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
    });
    return named && (id == "data" || at + ChunkHeader + le32(file, at + 4) <= fileSize);
}

// Where the chunk after one of `size` bytes at `at` starts. Chunks are padded to an even
// length, but some writers leave the pad byte out: follow whichever reading finds a chunk.
qint64 nextChunk(QByteArrayView file, qint64 fileSize, qint64 at, qint64 size)
{
    const qint64 unpadded = at + ChunkHeader + size;
    if (size % 2 == 0 || looksLikeChunk(file, fileSize, unpadded + 1)
        || !looksLikeChunk(file, fileSize, unpadded))
        return unpadded + (size % 2);
    return unpadded;
}

QByteArray le32Bytes(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, QByteArrayView body)
{
    QByteArray bytes = QByteArray(id, 4) + le32Bytes(quint32(body.size())) + body.toByteArray();
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

} // namespace

TidyWave tidyWave(QByteArrayView start, qint64 fileSize)
{
    if (start.size() < 12 || !start.startsWith("RIFF") || start.sliced(8, 4) != "WAVE")
        return {};
    QByteArrayView format;
    for (qint64 at = 12; at + ChunkHeader <= fileSize;) {
        if (at + ChunkHeader > start.size())
            return { {}, at + ChunkHeader };
        const QByteArrayView id = start.sliced(at, 4);
        const qint64 size = le32(start, at + 4);
        const qint64 body = at + ChunkHeader;
        const qint64 available = fileSize - body;

        if (id == "data") {
            if (format.isEmpty())
                return {};
            const bool toTheEnd = size == 0 || size == 0xFFFFFFFF;
            qint64 length = toTheEnd ? available : std::min(size, available);
            // Whole blocks only (a frame, or a compressed block).
            const quint16 blockAlign = qFromLittleEndian<quint16>(format.data() + 12);
            if (blockAlign == 0)
                return {};
            length -= length % blockAlign;
            if (length == 0)
                return {};
            if (body + length > start.size())
                return { {}, body + length };
            const QByteArray chunks = chunk("fmt ", format) + chunk("data", start.sliced(body, length));
            return { "RIFF" + le32Bytes(quint32(4 + chunks.size())) + "WAVE" + chunks };
        }
        // Any other chunk that runs past the end leaves no samples after it.
        if (size > available)
            return {};
        // The next chunk's header, and the byte after it in case the pad byte is missing.
        if (start.size() < fileSize && body + size + ChunkHeader + 1 > start.size())
            return { {}, std::min(body + size + ChunkHeader + 1, fileSize) };
        if (id == "fmt ") {
            if (size < FormatFields)
                return {};
            format = start.sliced(body, size);
        }
        at = nextChunk(start, fileSize, at, size);
    }
    return {};
}
