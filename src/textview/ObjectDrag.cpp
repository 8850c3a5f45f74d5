#include "textview/ObjectDrag.h"

#include <QCoreApplication>
#include <QMimeData>

namespace corvane {

QMimeData* makeObjectDragData(ObjectId id)
{
    auto* data = new QMimeData;
    const QByteArray payload =
        QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(id);
    data->setData(QString::fromLatin1(kObjectIdMimeType), payload);
    return data;
}

std::optional<ObjectId> draggedObjectId(const QMimeData* data)
{
    if (!data || !data->hasFormat(QString::fromLatin1(kObjectIdMimeType)))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kObjectIdMimeType)).split(':');
    if (parts.size() != 2)
        return std::nullopt;
    bool pidOk = false, idOk = false;
    const qint64 pid = parts[0].toLongLong(&pidOk);
    const int id = parts[1].toInt(&idOk);
    if (!pidOk || !idOk || pid != QCoreApplication::applicationPid())
        return std::nullopt;
    return id;
}

} // namespace corvane
