#include "ChronoViewController.h"
#include "ContactViewController.h"
#include "DataPaths.h"
#include "GuiFixture.h"
#include "KelvaraTest.h"
#include "SettingsService.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtQuick/QQuickItem>
#include <QtQuickTest/quicktest.h>
#include <QtQuick/QQuickWindow>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include <algorithm>

// Pictures of the main scenes for people to look at (docs/screenshots); they
// are saved under build/screenshots and checked only for being real pictures
// of the window, not pixel by pixel.
class tst_Screenshots : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GuiFixture> m_gui;

    // A blank or broken frame has one colour; a rendered scene has many.
    static int distinctColours(const QImage &image)
    {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        }
        return colours.size();
    }

    // Pictures are decoded off the GUI thread; a screenshot waits for them.
    bool picturesLoading() const
    {
        const QList<QQuickItem *> items = m_gui->allItems();
        return std::any_of(items.cbegin(), items.cend(), [](const QQuickItem *item) {
            return item->inherits("QQuickImageBase") && item->property("status").toInt() == 2; // Image.Loading
        });
    }

    QImage grabAndSave(const QString &name)
    {
        QImage image = m_gui->window()->grabWindow();
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        const QString path = QStringLiteral(SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
        if (!image.save(path))
            qWarning("could not save %s", qPrintable(path));
        return image;
    }

private slots:
    void initTestCase() { GuiFixture::prepareTestCase(); }

    void init()
    {
        m_gui = GuiFixture::start();
        // A desktop of 1920 x 1080 gives the preferred window of 1100 x 900.
        QVERIFY(m_gui->loadMainWindow());
    }

    void cleanup()
    {
        const QStringList warnings = GuiFixture::finish(m_gui);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void scenes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QVariant>("parameters");
        // On the Copy page, the buttons pressed after selecting the first set.
        QTest::addColumn<QStringList>("copySteps");
        QTest::newRow("login page") << "login" << "Deutsch" << false << QString() << QVariant() << QStringList();
        QTest::newRow("login page in English") << "login-en" << "English" << false << QString() << QVariant()
                                               << QStringList();
        QTest::newRow("login failed") << "login-error" << "Deutsch" << false << "LoginErrorDialog" << QVariant(3)
                                      << QStringList();
        QTest::newRow("main window after login") << "main" << "Deutsch" << true << QString() << QVariant()
                                                 << QStringList();
        QTest::newRow("module menu") << "modules" << "Deutsch" << true << "ModuleDialog" << QVariant() << QStringList();
        QTest::newRow("user menu") << "user" << "English" << true << "UserDialog" << QVariant() << QStringList();
        QTest::newRow("information") << "info" << "Deutsch" << false << "InfoDialog" << QVariant() << QStringList();
        QTest::newRow("synchronisation timed out") << "sync-error" << "Deutsch" << true << "SyncErrorDialog"
            << QVariant(QVariantList{0, 5, QStringLiteral("QELO3_Update_Release_1_5_0_a_231020_120000.esb")}) << QStringList();
        QTest::newRow("copy page, a set selected") << "copy" << "Deutsch" << true << QString() << QVariant()
                                                   << QStringList{QString()};
        QTest::newRow("copy page, set overview") << "copy-overview" << "Deutsch" << true << QString() << QVariant()
                                                 << QStringList{QStringLiteral("openButton")};
        QTest::newRow("copy page, editing a set") << "copy-edit" << "Deutsch" << true << QString() << QVariant()
                                                  << QStringList{QStringLiteral("openButton"),
                                                                 QStringLiteral("editButton")};
        // The program editor on the real controller, with the set's first program.
        QTest::newRow("program editor") << "copy-program" << "Deutsch" << true << QString() << QVariant()
                                        << QStringList{QStringLiteral("openButton"), QStringLiteral("editButton"),
                                                       QStringLiteral("editProgram_0"),
                                                       QStringLiteral("openProgramButton")};
    }

    // Selects the first user set of the Copy page's list, then presses `buttons`.
    void walkCopyPage(const QStringList &buttons)
    {
        QQuickTest::qWaitForPolish(m_gui->window());
        const QList<QQuickItem *> items = m_gui->allItems();
        const auto firstSet = std::find_if(items.cbegin(), items.cend(), [](const QQuickItem *item) {
            return item->objectName().startsWith(QLatin1String("userSet_"));
        });
        QVERIFY(firstSet != items.cend());
        QVERIFY(m_gui->click(*firstSet));
        for (const QString &button : buttons) {
            if (!button.isEmpty())
                QVERIFY2(m_gui->click(button), qPrintable(button));
        }
        QQuickTest::qWaitForPolish(m_gui->window());
    }

    void scenes()
    {
        QFETCH(QString, name);
        QFETCH(QString, language);
        QFETCH(bool, loggedIn);
        QFETCH(QString, dialog);
        QFETCH(QVariant, parameters);
        QFETCH(QStringList, copySteps);
        m_gui->settingsService()->setLanguage(language);
        if (loggedIn)
            m_gui->logIn();
        if (!copySteps.isEmpty())
            walkCopyPage(copySteps);
        if (!dialog.isEmpty())
            m_gui->showDialog(dialog, parameters);
        QTRY_VERIFY_WITH_TIMEOUT(!picturesLoading(), KelvaraTest::timeout(5000));
        const QImage image = grabAndSave(name);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(1100, 900));
        QVERIFY(distinctColours(image) > 10);
    }

    void synchronisation()
    {
        m_gui->logIn();
        // Halfway: the lists, the catalogue and the uploads are done, one of two descriptions is in.
        QObject *sync = m_gui->synchronizeService();
        const QVariantMap state{{"status", 0}, {"position", 4}, {"firmwareTotalCount", 2}, {"cFirmware", 1},
                                {"userSetTemplatesTotalCount", 3}, {"cUserSetTemplates", 3},
                                {"userSetDownloadTotalCount", 3}, {"cUserSetDownload", 3},
                                {"userSetUploadTotalCount", 1}, {"cUserSetUpload", 1},
                                {"appLogUploadTotalCount", 4}, {"cAppLogUpload", 4}, {"isActive", true}};
        for (auto it = state.cbegin(); it != state.cend(); ++it)
            QVERIFY(sync->setProperty(qPrintable(it.key()), it.value()));
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->findItem(QStringLiteral("SynchronizePage")), KelvaraTest::timeout(5000));
        QCOMPARE(m_gui->findItem(QStringLiteral("firmwareCount"))->property("text").toString(), QStringLiteral("1 / 2"));
        QVERIFY(!m_gui->findItem(QStringLiteral("cancelSyncButton"))->isVisible());
        // The busy arc is a canvas, painted a few frames after it appears.
        QSignalSpy frames(m_gui->window(), &QQuickWindow::frameSwapped);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 3, KelvaraTest::timeout(5000));
        const QImage image = grabAndSave(QStringLiteral("sync"));
        QCOMPARE(image.size(), QSize(1100, 900));
        QVERIFY(distinctColours(image) > 10);
    }

    void chrono_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("chrono page with the demo log") << "chrono" << QString();
        QTest::newRow("error statistic") << "chrono-errors" << "ErrorStatisticDialog";
    }

    void chrono()
    {
        QFETCH(QString, name);
        QFETCH(QString, dialog);
        // The real controller files the simulated generator's demo files.
        DataPaths::createUserDirectories(QStringLiteral("demo"));
        ChronoViewController *chrono = m_gui->chronoViewController();
        chrono->setDataRoot(QStringLiteral("demo"));
        QSignalSpy parsed(chrono->fileService(), &ChronoFileService::flexParsingFinished);
        const QString demo = QStringLiteral(KELVARA_DEMO_DATA_DIR "/generator/chrono/23104711_231024_081533");
        QVERIFY(chrono->importChronoFile(demo + QStringLiteral(".fix")));
        QVERIFY(chrono->importChronoFile(demo + QStringLiteral(".flex.zip")));
        QVERIFY(parsed.wait(KelvaraTest::timeout(10000)) || !parsed.isEmpty());
        m_gui->logIn();
        m_gui->setPage(1); // PAGE_CHRONO
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->findItem(QStringLiteral("eventList")), KelvaraTest::timeout(5000));
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->findItem(QStringLiteral("eventList"))->property("count").toInt() > 1000,
                                 KelvaraTest::timeout(5000));
        if (!dialog.isEmpty())
            m_gui->showDialog(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(!picturesLoading(), KelvaraTest::timeout(5000));
        const QImage image = grabAndSave(name);
        QCOMPARE(image.size(), QSize(1100, 900));
        QVERIFY(distinctColours(image) > 10);
    }

    void contactScenes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("mailPage");
        QTest::newRow("service-centre directory") << "contact" << false;
        QTest::newRow("support message") << "contact-mail" << true;
    }

    void contactScenes()
    {
        QFETCH(QString, name);
        QFETCH(bool, mailPage);
        m_gui->loadContactDemo();
        m_gui->settingsService()->setLanguage(QStringLiteral("Deutsch"));
        m_gui->contactViewController()->languageChanged();
        m_gui->logIn();
        m_gui->setPage(2); // PAGE_CONTACT
        m_gui->contactViewController()->setShowMailPage(mailPage);
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->findItem(mailPage ? QStringLiteral("ContactMailPage")
                                                          : QStringLiteral("ServiceCenterList")),
                                 KelvaraTest::timeout(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!picturesLoading(), KelvaraTest::timeout(5000));
        const QImage image = grabAndSave(name);
        QCOMPARE(image.size(), QSize(1100, 900));
        QVERIFY(distinctColours(image) > 10);
    }

    void updateScenes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("history");
        QTest::newRow("update page") << "update" << false;
        QTest::newRow("update history") << "update-history" << true;
    }

    void updateScenes()
    {
        QFETCH(QString, name);
        QFETCH(bool, history);
        m_gui->fillUpdateDemo();
        m_gui->logIn();
        m_gui->setPage(4);
        QTRY_VERIFY_WITH_TIMEOUT(m_gui->page() && m_gui->page()->objectName() == QLatin1String("UpdatePage"),
                                 KelvaraTest::timeout(5000));
        QObject *page = m_gui->page();
        QVERIFY(QMetaObject::invokeMethod(page, "select", Q_ARG(QVariant, QStringLiteral("QELO3_Update_Release_1_5_0_a_231020_120000.esb")),
                                          Q_ARG(QVariant, QStringLiteral("QELO3 1.5.0a 231020_120000")),
                                          Q_ARG(QVariant, true)));
        page->setProperty("showHistory", history);
        QTRY_VERIFY_WITH_TIMEOUT(!picturesLoading(), KelvaraTest::timeout(5000));
        QVERIFY(m_gui->findItem(history ? QStringLiteral("updateHistoryView") : QStringLiteral("serverUpdateListView")));
        const QImage image = grabAndSave(name);
        QCOMPARE(image.size(), QSize(1100, 900));
        QVERIFY(distinctColours(image) > 10);
    }
};

KELVARA_TEST_MAIN(tst_Screenshots)

#include "tst_screenshots.moc"
