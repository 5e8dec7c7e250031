#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"

namespace {

/// The text of each page of a PDF, as pdftotext lays it out.
QStringList pdfPages(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList nonEmptyLines(const QString& page)
{
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void pagesCarryTheListingAndTheirNumbers()
    {
        AppFixture fx;
        // The header line, the blank line under it and 298 data lines, the last one half full.
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(297 * 16 + 8, 'A'))));
        QCOMPARE(fx.activeView()->textSource().lineCount(), 300);
        const QString pdf = fx.path("listing.pdf");
        fx.prompter().answerPrintToPdf(pdf);
        QVERIFY(fx.run(CommandId::FilePrint));
        QVERIFY(fx.prompter().messages().isEmpty());

        const QStringList pages = pdfPages(pdf);
        QVERIFY2(pages.size() > 1, "expected several pages");
        QStringList lineNumbers;
        qsizetype firstPageLines = 0;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            QStringList lines = nonEmptyLines(pages[i]);
            QCOMPARE(lines.takeLast(), QString::number(i + 1));
            if (i == 0) {
                QVERIFY(lines.takeFirst().startsWith(QStringLiteral("Address: 00 01 02")));
                firstPageLines = lines.size() + 2;
            }
            for (const QString& line : lines)
                lineNumbers << line.section(QLatin1Char(' '), 0, 0);
        }
        // Every data line exactly once, in order, and only full pages before the last.
        QCOMPARE(lineNumbers.size(), 298);
        for (int line = 0; line < 298; ++line)
            QCOMPARE(lineNumbers[line], QStringLiteral("%1").arg(line, 7, 16, QLatin1Char('0')).toUpper());
        QCOMPARE(pages.size(), (300 + firstPageLines - 1) / firstPageLines);
    }

    void aFailedPrintIsReported()
    {
        AppFixture fx;
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(16, 'A'))));
        fx.prompter().answerPrintToPdf(QStringLiteral("/nonexistent-folder/listing.pdf"));
        QVERIFY(fx.run(CommandId::FilePrint));
        QCOMPARE(fx.prompter().messages(),
                 QStringList{QStringLiteral("Fail to print to the file /nonexistent-folder/listing.pdf")});
    }

    void previewShowsThePages()
    {
        AppFixture fx;
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(16, 'A'))));
        QVERIFY(fx.run(CommandId::FilePrintPreview));
        auto* preview = fx.activeView()->findChild<QPrintPreviewDialog*>();
        QVERIFY(preview && preview->isVisible());
        preview->close();
        QVERIFY(fx.run(CommandId::FilePrintSetup));
        QCOMPARE(fx.prompter().asked().back().text, QStringLiteral("Page Setup"));
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
