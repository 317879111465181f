#include "calling/audio/soundfile.h"

#include "calling/audio/pathbytes.h"

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
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        m_handle = descriptor;
        m_size = status.st_size;
        return;
    }
    ::close(descriptor);
}

SoundFile::~SoundFile()
{
    if (isOpen())
        ::close(int(m_handle));
}

QByteArray SoundFile::readStart(qint64 count) const
{
    QByteArray bytes(std::clamp<qint64>(count, 0, m_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t read = ::pread(int(m_handle), bytes.data() + got, std::size_t(bytes.size() - got), got);
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
