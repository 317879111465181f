#pragma once

#include <QByteArray>
#include <QString>

// A regular file opened once for reading; every read comes from that one descriptor or handle.
// Anything else, a FIFO or a device or a folder, is refused without waiting for it. On POSIX the
// path is the file's name as bytesFromPath() encodes it, on Windows its UTF-16 name as it is.
class SoundFile {
public:
    explicit SoundFile(const QString& path);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    bool isOpen() const { return m_handle != -1; }
    qint64 size() const { return m_size; }
    // The first `count` bytes, fewer if the file is shorter; empty if reading fails.
    QByteArray readStart(qint64 count) const;

private:
    // A descriptor on POSIX, a HANDLE on Windows; -1 is neither.
    qintptr m_handle = -1;
    qint64 m_size = 0;
};
