#include "bench/clientcount.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <iterator>
#include <set>

namespace {

std::set<QByteArray> clientsIn(QByteArrayView monitorOutput)
{
    std::set<QByteArray> clients;
    bool inClient = false;
    for (const QByteArray& line : QByteArray(monitorOutput.data(), monitorOutput.size()).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("Event 'new' on client #"))
            clients.insert(trimmed);
        if (!line.startsWith('\t') && !line.startsWith(' '))
            inClient = false;
        if (trimmed.startsWith("type: PipeWire:Interface:Client "))
            inClient = true;
        if (inClient && trimmed.startsWith("object.serial = "))
            clients.insert(trimmed);
    }
    return clients;
}

} // namespace

int newClients(QByteArrayView before, QByteArrayView all)
{
    const std::set<QByteArray> earlier = clientsIn(before);
    const std::set<QByteArray> everyone = clientsIn(all);
    std::vector<QByteArray> added;
    std::set_difference(everyone.begin(), everyone.end(), earlier.begin(), earlier.end(),
        std::back_inserter(added));
    return int(added.size());
}
