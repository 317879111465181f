#include "calling/soundfile.h"

#include "calling/pathbytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

// One open, then everything from that descriptor: a name checked and then opened again could
// be a FIFO by the second time. O_NONBLOCK keeps the open itself from waiting for a writer.
SoundFile::SoundFile(const QString& path)
{
    const QByteArray name = bytesFromPath(path);
    if (name.isEmpty() || name.contains('\0'))
        return;
    m_handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat status {};
    if (m_handle >= 0 && ::fstat(m_handle, &status) == 0 && S_ISREG(status.st_mode)) {
        m_size = status.st_size;
        return;
    }
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}

SoundFile::~SoundFile()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

QByteArray SoundFile::readStart(qint64 count) const
{
    QByteArray bytes(std::clamp<qint64>(count, 0, m_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t read = ::pread(m_handle, bytes.data() + got, std::size_t(bytes.size() - got), got);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return {};
        if (read == 0)
            break; // the file shrank since it was opened
        got += read;
    }
    bytes.truncate(got);
    return bytes;
}
