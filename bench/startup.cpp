#include "bench/startup.h"

#include "app/desktoplottovox.h"
#include "bench/childprocess.h"
#include "bench/clock.h"
#include "ui/desktop/fonts.h"
#include "ui/frmbingo.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// The first paint of any part of the window starts its first frame; the frame is on screen
// once that event has been handled and the loop comes round again.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window)
        : m_window(window)
    {
    }

    bool eventFilter(QObject* target, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(target);
        if (event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                report("painted", monotonicMs());
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

bool measureStartup(int runs, Results& results)
{
    std::fprintf(stderr, "start-up: %d runs\n", runs);
    for (int run = 0; run < runs; ++run) {
        const double spawned = monotonicMs();
        ChildProcess child(ThisProgram, { "lottovox_bench", StartupFlag });
        Results painted;
        readResults(child.output(), painted);
        if (!child.finish() || painted["painted"].empty()) {
            failed("the program did not start");
            return false;
        }
        results["startup"].push_back(painted["painted"].front() - spawned);
    }
    return true;
}

int startupChild(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installFontSubstitutes();
    DesktopLottovox desktop;
    Lottovox& lottovox = desktop.program();
    FirstPaint firstPaint(&lottovox.form());
    application.installEventFilter(&firstPaint);
    lottovox.show();
    return application.exec();
}
