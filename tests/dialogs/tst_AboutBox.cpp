#include "common/WidgetTestSupport.h"
#include "data/Notices.h"
#include "dialogs/frmAbout.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// Stands in for the system's web browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// PATH pointed at one folder for the length of a test.
class PathScope
{
public:
    explicit PathScope(const QString &folder) : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~PathScope() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void captionsAndVersion()
    {
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about->windowTitle(), QStringLiteral("About Tamberlock"));
        QCOMPARE(about->parentWidget(), &owner);
        QVERIFY(!about->isModal());
        QCOMPARE(child<QLabel>(about, "lblTitle")->text(), QStringLiteral("Tamberlock"));
        QCOMPARE(child<QLabel>(about, "lblVersion")->text(),
                 QStringLiteral("Version %1.%2").arg(TAMBERLOCK_VERSION_MAJOR).arg(TAMBERLOCK_VERSION_MINOR));
        QCOMPARE(child<QLabel>(about, "lblDescription")->text(),
                 QStringLiteral("Keep track of your contract work."));
        auto *notice = child<QPlainTextEdit>(about, "txtDisclaimer");
        QVERIFY(notice->isReadOnly());
        QCOMPARE(notice->toPlainText(), frmAbout::legalNotice());
        QVERIFY(!notice->toPlainText().isEmpty());
        QCOMPARE(child<QPushButton>(about, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(child<QPushButton>(about, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
        QVERIFY(child<QLabel>(about, "picIcon"));
        QVERIFY(child<QWidget>(about, "Picture1"));
        QCOMPARE(about->minimumSize(), about->maximumSize()); // fixed size
        QCOMPARE(frmAbout::showFor(&owner), about.data());    // one instance
        closeAndWait(about);
    }

    void timerStartsTheAnimation()
    {
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        auto *timer1 = about->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer1);
        QCOMPARE(timer1->interval(), 5000);
        QVERIFY(timer1->isSingleShot());
        QVERIFY(timer1->isActive());
        QVERIFY(!about->isAnimating());
        timer1->start(1); // no need to wait the five seconds
        QTRY_VERIFY(about->isAnimating());
        QVERIFY(!timer1->isActive()); // fired once
        QTRY_VERIFY(about->dotsDrawn() > 10);
        closeAndWait(about);
    }

    void clickOnThePictureAnimates()
    {
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::mouseClick(child<QWidget>(about, "Picture1"), Qt::LeftButton);
        QVERIFY(about->isAnimating());
        QTRY_VERIFY(about->dotsDrawn() > 0);
        closeAndWait(about);
    }

    void closingEndsTheAnimation()
    {
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        about->startAnimation();
        QTRY_VERIFY(about->dotsDrawn() > 5);
        child<QPushButton>(about, "cmdOK")->click();
        QVERIFY(about.isNull() || !about->isAnimating());
        closeAndWait(about);
    }

    void hidingEndsTheAnimation()
    {
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        about->startAnimation();
        QTRY_VERIFY(about->dotsDrawn() > 0);
        about->hide();
        QVERIFY(!about->isAnimating());
        const int dots = about->dotsDrawn();
        QTest::qWait(100);
        QCOMPARE(about->dotsDrawn(), dots);
        closeAndWait(about);
    }

    void sysInfoUnavailable()
    {
        QTemporaryDir empty;
        PathScope path(empty.path());
        ScriptedPrompter p;
        p.answer(BoxResult::Ok);
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        child<QPushButton>(about, "cmdSysInfo")->click();
        QCOMPARE(p.count(), 1);
        QCOMPARE(p.last().text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(p.last().title, QStringLiteral("About Tamberlock"));
        QCOMPARE(p.last().buttons, BoxButtons::Ok);
        QCOMPARE(p.unexpected(), 0);
        closeAndWait(about);
    }

    void sysInfoStartsTheTool()
    {
        QTemporaryDir tools;
        const QString marker = tools.filePath(QStringLiteral("started"));
        QFile script(tools.filePath(QStringLiteral("hardinfo")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho yes > '%1'\n").arg(marker).toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        PathScope path(tools.path());
        ScriptedPrompter p;
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        child<QPushButton>(about, "cmdSysInfo")->click();
        QTRY_VERIFY(QFile::exists(marker));
        QCOMPARE(p.count(), 0);
        closeAndWait(about);
    }

    void iconOpensTheMakersSite()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        QWidget owner;
        QPointer<frmAbout> about = frmAbout::showFor(&owner);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::mouseClick(child<QWidget>(about, "picIcon"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl(QString::fromLatin1(kMakerAddress))});
        // The icon opens the site only; the dots are the drawing area's.
        QVERIFY(!about->isAnimating());
        QTest::mouseClick(child<QWidget>(about, "lblTitle"), Qt::LeftButton);
        QVERIFY(!about->isAnimating());
        closeAndWait(about);
    }
};

TAMBERLOCK_TEST_MAIN(AboutBoxTest)
#include "tst_AboutBox.moc"
