#include "calling/audio/soundfile.h"

#include <windows.h>

#include <algorithm>

namespace {

HANDLE handleOf(qintptr value) { return reinterpret_cast<HANDLE>(value); }

} // namespace

// One open, then everything from that handle, as on POSIX. The name goes to the system in the
// UTF-16 it is kept in, so any name Windows can give a file opens. A pipe, console or other
// device is refused: reading one could wait for a writer, and only a file on a disk has a size.
SoundFile::SoundFile(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return;
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size {};
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size)) {
        m_handle = reinterpret_cast<qintptr>(handle);
        m_size = size.QuadPart;
        return;
    }
    CloseHandle(handle);
}

SoundFile::~SoundFile()
{
    if (isOpen())
        CloseHandle(handleOf(m_handle));
}

QByteArray SoundFile::readStart(qint64 count) const
{
    QByteArray bytes(std::clamp<qint64>(count, 0, m_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        // On a handle opened for synchronous reading this reads at the offset and waits for it.
        OVERLAPPED at {};
        at.Offset = DWORD(got);
        at.OffsetHigh = DWORD(got >> 32);
        DWORD read = 0;
        const DWORD wanted = DWORD(std::min<qint64>(bytes.size() - got, 1 << 30));
        if (!ReadFile(handleOf(m_handle), bytes.data() + got, wanted, &read, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break; // the file shrank since it was opened
            return {};
        }
        if (read == 0)
            break;
        got += read;
    }
    bytes.truncate(got);
    return bytes;
}
