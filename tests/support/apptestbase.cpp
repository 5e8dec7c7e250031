#include "support/apptestbase.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include "app/cmainframe.h"
#include "hexdoc/cvellmarview.h"
#include "settings/settingsstore.h"
#include "support/standinframe.h"

AppFixture::AppFixture(const QStringList& arguments)
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(SettingsStore::filePath());
    m_app = std::make_unique<CVellmarApp>();
    if (!m_app->initInstance(arguments))
        QTest::qFail("start-up failed", __FILE__, __LINE__);
    QCoreApplication::processEvents();
}

AppFixture::~AppFixture()
{
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CMainFrame& AppFixture::frame() { return *m_app->mainFrame(); }

QString AppFixture::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        QTest::qFail("cannot write test file", __FILE__, __LINE__);
    return f.fileName();
}

QByteArray AppFixture::readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool AppFixture::run(CommandId id)
{
    const bool ran = frame().executeCommand(id);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ran;
}

CVellmarView* AppFixture::activeView() { return dynamic_cast<CVellmarView*>(frame().activeView()); }

CVellmarDoc* AppFixture::activeDoc() { return activeView() ? activeView()->GetDocument() : nullptr; }

int AppFixture::windowCount() { return int(frame().mdiArea()->subWindowList().size()); }

void AppFixture::enterWindowState(WindowState state)
{
    if (state == WindowState::PlainDocument) {
        run(CommandId::FileNew);
    } else if (state == WindowState::Comparison) {
        m_prompter.answerFile(writeFile(QStringLiteral("compared1.bin"), "\x01\x02"));
        m_prompter.answerFile(writeFile(QStringLiteral("compared2.bin"), "\x01\x03"));
        run(CommandId::Compare);
    } else if (state != WindowState::NoDocument) {
        frame().addChildFrame(new StandInFrame(state));
    }
    QCoreApplication::processEvents();
}

void AppFixture::onNextModal(std::function<void(QDialog&)> interact)
{
    QTimer::singleShot(0, [interact = std::move(interact)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return QTest::qFail("no modal dialog was open", __FILE__, __LINE__);
        interact(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
