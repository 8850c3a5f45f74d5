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

QMimeData* makeBookmarkDragData(BookmarkDrag drag)
{
    auto* data = new QMimeData;
    const QByteArray payload = QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                               QByteArray::number(drag.slot) + ':' +
                               QByteArray(drag.fromPin ? "pin" : "view");
    data->setData(QString::fromLatin1(kBookmarkMimeType), payload);
    return data;
}

std::optional<BookmarkDrag> draggedBookmark(const QMimeData* data)
{
    if (!data || !data->hasFormat(QString::fromLatin1(kBookmarkMimeType)))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(QString::fromLatin1(kBookmarkMimeType)).split(':');
    if (parts.size() != 3)
        return std::nullopt;
    bool pidOk = false, slotOk = false;
    const qint64 pid = parts[0].toLongLong(&pidOk);
    const int slot = parts[1].toInt(&slotOk);
    if (!pidOk || !slotOk || pid != QCoreApplication::applicationPid() || slot < 0 || slot > 3)
        return std::nullopt;
    return BookmarkDrag{slot, parts[2] == "pin"};
}

} // namespace corvane
