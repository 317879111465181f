#include "ui/titlebar/titlebarchoice.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>

namespace {

constexpr char Variable[] = "QT_WAYLAND_DECORATION";

// The program's own choice, while it stands in for the host's absent one.
QByteArray ownChoice;

} // namespace

bool TitleBarChoice::runsUnderTheQtItWasBuiltFor()
{
    return std::strcmp(qVersion(), QT_VERSION_STR) == 0;
}

void TitleBarChoice::chooseOwn(const char* key)
{
    if (qEnvironmentVariableIsSet(Variable)) {
        ownChoice.clear();
        return;
    }
    ownChoice = key;
    qputenv(Variable, ownChoice);
}

std::optional<QProcessEnvironment> TitleBarChoice::hostsEnvironment()
{
    if (ownChoice.isEmpty())
        return std::nullopt;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QString::fromLatin1(Variable));
    return environment;
}
