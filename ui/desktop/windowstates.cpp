#include "ui/desktop/windowstates.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

class NormalStateKeeper : public QObject {
public:
    explicit NormalStateKeeper(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Show && !m_watching)
            watch(m_window->windowHandle());
        else if (event->type() == QEvent::Resize && m_window->windowState() == Qt::WindowNoState)
            keepFixedSize();
        return false;
    }

private:
    void watch(QWindow* handle)
    {
        if (!handle)
            return;
        m_watching = true;
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            handle->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        // Queued: the state is asked back once the window system has finished reporting it.
        connect(handle, &QWindow::windowStateChanged, this, &NormalStateKeeper::restore, Qt::QueuedConnection);
    }

    // Back from full screen, some window systems restore a frame of the right size around a
    // smaller client area: the window is put back to the size it is fixed at.
    void keepFixedSize()
    {
        const QSize fixed = m_window->size().expandedTo(m_window->minimumSize()).boundedTo(m_window->maximumSize());
        if (fixed != m_window->size())
            QMetaObject::invokeMethod(this, [this, fixed] { m_window->resize(fixed); }, Qt::QueuedConnection);
    }

    void restore(Qt::WindowState state)
    {
        QWindow* handle = m_window->windowHandle();
        if (!handle)
            return;
        if (state == Qt::WindowMaximized || state == Qt::WindowFullScreen)
            handle->setWindowStates(Qt::WindowNoState);
        else if (state == Qt::WindowMinimized && m_window->isModal())
            m_window->close();
    }

    QWidget* m_window;
    bool m_watching = false;
};

} // namespace

void keepNormalState(QWidget* window) { new NormalStateKeeper(window); }
