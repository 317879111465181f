#pragma once

#include <QByteArray>
#include <QString>

// A regular file opened once for reading, by a path as bytesFromPath() encodes it; every read
// comes from that one descriptor. Anything else, a FIFO or a device or a folder, is refused
// without waiting for it.
class SoundFile {
public:
    explicit SoundFile(const QString& path);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    bool isOpen() const { return m_handle >= 0; }
    qint64 size() const { return m_size; }
    // The first `count` bytes, fewer if the file is shorter; empty if reading fails.
    QByteArray readStart(qint64 count) const;

private:
    int m_handle = -1;
    qint64 m_size = 0;
};
