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
    // A count below FFFF is two little-endian bytes; from FFFF on, FFFF then four bytes.
    void byteRunFormatCountFormsRoundTripAndShortBlocks()
    {
        QCOMPARE(ByteRunFormat::mimeType(), QStringLiteral("application/x-varn-hex-clipboard-format-v2.00"));
        const std::pair<qsizetype, QByteArray> heads[] = {
            {0, QByteArray("\x00\x00", 2)},
            {3, QByteArray("\x03\x00", 2)},
            {0xFFFE, QByteArray("\xFE\xFF", 2)},
            {0xFFFF, QByteArray("\xFF\xFF\xFF\xFF\x00\x00", 6)},
            {0x12345, QByteArray("\xFF\xFF\x45\x23\x01\x00", 6)},
        };
        for (const auto& [size, head] : heads) {
            ByteBuffer run(static_cast<std::size_t>(size));
            for (std::size_t i = 0; i < run.size(); ++i)
                run[i] = std::uint8_t(i * 7);
            const QByteArray block = ByteRunFormat::encode(run);
            QCOMPARE(block, head + QByteArray(reinterpret_cast<const char*>(run.data()), size));
            QVERIFY(ByteRunFormat::decode(block) == run);
            // Only the count is read from a block rounded up with more bytes.
            QVERIFY(ByteRunFormat::decode(block + QByteArray(14, '\xEE')) == run);
        }
        const QByteArray shortBlocks[] = {
            {},
            QByteArray("\x05", 1),
            QByteArray("\x05\x00\x01\x02\x03\x04", 6),          // declares 5, holds 4
            QByteArray("\xFF\xFF\x00\x00", 4),                  // long form cut inside its count
            QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x01", 7),      // declares 4 GiB - 1
        };
        for (const QByteArray& block : shortBlocks)
            QVERIFY2(ByteRunFormat::decode(block)->empty(), block.toHex().constData());
    }

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
