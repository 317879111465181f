#include "ui/titlebar/titlebardecoration.h"

#include <QtWaylandClient/private/qwaylanddecorationplugin_p.h>

class TitleBarPlugin : public QtWaylandClient::QWaylandDecorationPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QWaylandDecorationFactoryInterface_iid FILE "titlebar.json")
public:
    QtWaylandClient::QWaylandAbstractDecoration* create(const QString&, const QStringList&) override
    {
        return new TitleBarDecoration;
    }
};

#include "titlebarplugin.moc"
