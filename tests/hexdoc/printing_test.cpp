#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"

namespace {

/// The non-empty lines of each page of a PDF, as pdftotext lays it out.
QList<QStringList> pdfPages(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QList<QStringList> pages;
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return pages;
    for (const QString& page : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'))) {
        QStringList lines = page.split(QLatin1Char('\n'));
        lines.replaceInStrings(QRegularExpression(QStringLiteral("^\\s+|\\s+$")), QString()).removeAll(QString());
        if (!lines.isEmpty())
            pages << lines;
    }
    return pages;
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
        const QString pdf = fx.path("listing.pdf");
        fx.prompter().answerPrintToPdf(pdf);
        QVERIFY(fx.run(CommandId::FilePrint));
        QVERIFY(fx.prompter().messages().isEmpty());
        QList<QStringList> pages = pdfPages(pdf);
        QVERIFY2(pages.size() > 1, "expected several pages");
        QVERIFY(pages[0].takeFirst().startsWith(QStringLiteral("Address: 00 01 02")));
        QStringList lineNumbers;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages[i].takeLast(), QString::number(i + 1));
            for (const QString& line : pages[i])
                lineNumbers << line.section(QLatin1Char(' '), 0, 0);
        }
        // Every data line exactly once, in order, and only full pages before the last.
        const qsizetype firstPageLines = pages[0].size() + 2;  // its data lines, the header and the blank line
        QCOMPARE(lineNumbers.size(), 298);
        for (int line = 0; line < 298; ++line)
            QCOMPARE(lineNumbers[line], QStringLiteral("%1").arg(line, 7, 16, QLatin1Char('0')).toUpper());
        QCOMPARE(pages.size(), (300 + firstPageLines - 1) / firstPageLines);
    }

    void aFailedPrintIsReportedAndPreviewAndSetupShow()
    {
        AppFixture fx;
        QVERIFY(fx.app().openDocumentFile(fx.writeFile("a.bin", QByteArray(16, 'A'))));
        fx.prompter().answerPrintToPdf(QStringLiteral("/nonexistent-folder/listing.pdf"));
        QVERIFY(fx.run(CommandId::FilePrint));
        QCOMPARE(fx.prompter().messages(),
                 QStringList{QStringLiteral("Fail to print to the file /nonexistent-folder/listing.pdf")});
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
