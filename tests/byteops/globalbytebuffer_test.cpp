#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <numeric>

#include "byteops/byterunformat.h"
#include "byteops/clipboardtext.h"
#include "byteops/globalbytebuffer.h"

class GlobalByteBufferTest : public QObject {
    Q_OBJECT

private slots:
    void putReplacesTheClipboardWithThePrivateEntryAndItsText()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("text from elsewhere"));
        ByteBuffer counting(20);
        std::iota(counting.begin(), counting.end(), std::uint8_t(0xEC));
        GlobalByteBuffer::put(counting);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->formats(), (QStringList{ByteRunFormat::mimeType(), QStringLiteral("text/plain")}));
        QCOMPARE(data->text(), QStringLiteral("EC ED EE EF F0 F1 F2 F3  F4 F5 F6 F7 F8 F9 FA FB\nFC FD FE FF"));
        QVERIFY(GlobalByteBuffer::get() == counting);
        GlobalByteBuffer::put(ByteBuffer(std::size_t(ClipboardText::kMaxBytes) + 1));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText());
    }

    void anythingElseOnTheClipboardGivesNoBytes()
    {
        GlobalByteBuffer::put(ByteBuffer{1, 2, 3});
        QGuiApplication::clipboard()->setText(QStringLiteral("41 42"));
        QVERIFY(GlobalByteBuffer::get()->empty());
        auto* broken = new QMimeData;
        broken->setData(ByteRunFormat::mimeType(), QByteArray("\x09\x00\x01", 3));
        QGuiApplication::clipboard()->setMimeData(broken);
        QVERIFY(GlobalByteBuffer::get()->empty());
        QGuiApplication::clipboard()->clear();
        QVERIFY(GlobalByteBuffer::get()->empty());
    }
};

QTEST_MAIN(GlobalByteBufferTest)
#include "globalbytebuffer_test.moc"
