#include <QScrollBar>
#include <QTest>

#include <thread>

#include "support/openedfile.h"

/// Appends runs of bytes from a worker thread, each run filled with its own number; returns the bytes appended.
static QByteArray appendFromWorker(ByteModel& model, int runs, int runLength)
{
    std::thread([&model, runs, runLength] {
        for (int run = 0; run < runs; ++run)
            model.append(ByteBuffer(std::size_t(runLength), std::uint8_t(run)));
    }).join();
    QByteArray bytes;
    for (int run = 0; run < runs; ++run)
        bytes += QByteArray(runLength, char(run));
    return bytes;
}

class GrowingModelTest : public QObject {
    Q_OBJECT

private slots:
    // A view keeps its caret, scroll position and marks as the file grows, follows the growth when
    // scrolled to the end, and takes appends while the user pages and types.
    void viewsGrowWhileTheUserReadsPagesAndTypes()
    {
        OpenedFile o(QByteArray(16 * 300, 'x'));
        HexView& view = *o.view;
        ByteModel& model = o.doc->bytes();
        QVERIFY(o.fx.run(CommandId::WindowNew));
        HexView& other = *o.fx.activeView();
        QScrollBar& scroll = *view.verticalScrollBar();
        view.selectEditRange({40, 20});
        scroll.setValue(100);
        view.markBytes(10, 20, 0x0000FF);
        const TextRange selection = view.selection();
        const int maximum = scroll.maximum();
        QByteArray appended = appendFromWorker(model, 10, 16);
        QTRY_COMPARE(scroll.maximum(), maximum + 10);
        QCOMPARE(view.selection(), selection);
        QCOMPARE(scroll.value(), 100);
        QCOMPARE(view.byteMarkAt(15), Rgb(0x0000FF));
        QVERIFY(view.text().endsWith(QByteArray(16, '.')));
        QCOMPARE(other.text(), view.text());
        // Scrolled to the end, the view follows the new bytes.
        scroll.setValue(scroll.maximum());
        appended += appendFromWorker(model, 5, 16);
        QTRY_COMPARE(scroll.maximum(), maximum + 15);
        QCOMPARE(scroll.value(), scroll.maximum());
        QCOMPARE(view.selection(), selection);
        std::thread worker([&] { appended += appendFromWorker(model, 400, 37); });
        for (int step = 0; step < 100; ++step) {
            view.selectEditRange({step % 64, 0});
            QTest::keyClicks(&view, QStringLiteral("A5"));
            QTest::keyClick(&view, Qt::Key_PageDown);
            model.forEachChunk(0, model.size(), [](ByteOffset, std::span<const std::uint8_t>) { return true; }, 4096);
            QCoreApplication::processEvents();
        }
        worker.join();
        QTRY_COMPARE(view.endPosition(), EndPosition::of(16 * 315 + 400 * 37));
        QCOMPARE(o.bytes(), QByteArray(64, '\xA5') + QByteArray(16 * 300 - 64, 'x') + appended);
        // The grown listing is the one a new rendering makes.
        const QByteArray grown = view.text();
        view.onUpdate();
        QCOMPARE(view.text(), grown);
    }

    // Appends from a worker merge into one notice, in order with edits; inserts past the end are refused.
    void workerAppendsMergeIntoOneNoticeInOrderWithEdits()
    {
        ByteModel model;
        std::vector<ByteChange> notices;
        connect(&model, &ByteModel::changed, this, [&notices](const ByteChange& change) { notices.push_back(change); });
        appendFromWorker(model, 500, 1);
        QVERIFY(notices.empty());  // delivered on this thread's next frame, not from the worker
        // An edit on this thread is announced at once, after the appends made before it.
        const std::uint8_t byte = 0xFF;
        model.setBytes(0, std::span(&byte, 1));
        using Kind = ByteChange::Kind;
        QCOMPARE(notices, (std::vector<ByteChange>{{Kind::Appended, 0, 500}, {Kind::InPlace, 0, 1}}));
        appendFromWorker(model, 500, 1);
        QTRY_COMPARE(notices.size(), std::size_t(3));
        QCOMPARE(notices.back(), (ByteChange{Kind::Appended, 500, 500}));
        const auto kept = model.keep(0, 2);
        QVERIFY(!model.insert(1001, std::span(&byte, 1)) && !model.insertFill(1001, 4, 0));
        QVERIFY(!model.insertKept(1001, *kept));
        QCOMPARE(notices.size(), std::size_t(3));
        QVERIFY(model.insert(1000, std::span(&byte, 1)));
        QCOMPARE(model.size(), 1001);
    }
};

QTEST_MAIN(GrowingModelTest)
#include "growingmodel_test.moc"
