#include "byteops/globalbytebuffer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "bytemodel/bytemodel.h"
#include "byteops/byterunformat.h"

namespace GlobalByteBuffer {

namespace {

void setEntry(QByteArray entry)
{
    auto* data = new QMimeData;
    data->setData(ByteRunFormat::mimeType(), entry);
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

void put(std::span<const std::uint8_t> bytes)
{
    setEntry(ByteRunFormat::encode(bytes));
}

bool put(const ByteModel& model, ByteOffset offset, qint64 count)
{
    std::optional<QByteArray> entry =
        ByteRunFormat::encode(count, [&model, offset](std::span<std::uint8_t> out) { model.read(offset, out); });
    if (!entry)
        return false;
    setEntry(std::move(*entry));
    return true;
}

std::optional<ByteBuffer> get(qint64* declaredCount)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = ByteRunFormat::mimeType();
    if (!data || !data->hasFormat(type))
        return ByteBuffer();
    const QByteArray entry = data->data(type);
    if (declaredCount)
        *declaredCount = ByteRunFormat::declaredCount(entry);
    return ByteRunFormat::decode(entry);
}

}  // namespace GlobalByteBuffer
