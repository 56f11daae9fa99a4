#include "KelvaraTest.h"

#include "ProtectedName.h"
#include "ProtectedNameService.h"

#include <QtTest/QSignalSpy>

class tst_ProtectedNameService : public QObject
{
    Q_OBJECT

private slots:
    void settingTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("protectedPart");
        QTest::addColumn<QString>("unprotectedPart");
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<bool>("isProtected");
        // clang-format off
        QTest::newRow("protected and editable part") << "Standard®Mein Name"
                                                     << "Standard"
                                                     << "Mein Name"
                                                     << "StandardMein Name"
                                                     << "Standard®Mein Name" << true;
        QTest::newRow("plain name") << "Frei" << "" << "Frei" << "Frei" << "Frei" << false;
        QTest::newRow("two separators empty both parts") << "A®B®C" << "" << "" << "" << "" << false;
        QTest::newRow("protected part only") << "ThermoSeal®" << "ThermoSeal" << "" << "ThermoSeal" << "ThermoSeal®" << true;
        QTest::newRow("separator first is unprotected") << "®Rest" << "" << "Rest" << "Rest" << "Rest" << false;
        // clang-format on
    }
    void settingTheName()
    {
        QFETCH(QString, name);
        QFETCH(QString, protectedPart);
        QFETCH(QString, unprotectedPart);
        QFETCH(QString, displayName);
        QFETCH(QString, fullName);
        QFETCH(bool, isProtected);
        ProtectedNameService service;
        QSignalSpy changed(&service, &ProtectedNameService::nameChanged);
        service.setName(name);
        QCOMPARE(service.getProtectedPart(), protectedPart);
        QCOMPARE(service.getUnprotectedPart(), unprotectedPart);
        QCOMPARE(service.displayName(), displayName);
        QCOMPARE(service.name(), fullName);
        QCOMPARE(service.isProtected(), isProtected);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), name);
    }

    void editablePartDropsSeparators()
    {
        ProtectedNameService service;
        service.setName(QStringLiteral("Standard®Alt"));
        QSignalSpy changed(&service, &ProtectedNameService::nameChanged);
        service.setUnprotectedPart(QStringLiteral("A®B"));
        QCOMPARE(service.getUnprotectedPart(), QStringLiteral("AB"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), QStringLiteral("Standard®AB"));
    }

    void staticHelpers_data()
    {
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("protectedPart");
        // clang-format off
        QTest::newRow("without separator") << "Frei" << "Frei" << "";
        QTest::newRow("with both parts") << "HybridVex® Sonde" << "HybridVex Sonde" << "HybridVex";
        QTest::newRow("empty editable part") << "ThermoSeal®" << "ThermoSeal" << "ThermoSeal";
        QTest::newRow("malformed has no protected part") << "A®B®C" << "AB" << "";
        // clang-format on
    }
    void staticHelpers()
    {
        QFETCH(QString, fullName);
        QFETCH(QString, display);
        QFETCH(QString, protectedPart);
        QCOMPARE(ProtectedNameService::toDisplayName(fullName), display);
        QCOMPARE(ProtectedName::protectedPartOf(fullName), protectedPart);
    }

    void instrumentNamesKeepTheirProtectedPart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("catalogueName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("already protected is kept") << "HybridVex® links"
                                                   << "HybridVex® Sonde"
                                                   << "HybridVex® links";
        QTest::newRow("protected form alone gets the separator") << "HybridVex links"
                                                                 << "HybridVex® Sonde"
                                                                 << "HybridVex® links";
        QTest::newRow("any other name becomes the catalogue name") << "Sonde"
                                                                   << "HybridVex® Sonde"
                                                                   << "HybridVex® Sonde";
        QTest::newRow("unprotected catalogue name leaves it alone") << "Mein Messer"
                                                                    << "Messer"
                                                                    << "Mein Messer";
        QTest::newRow("empty name stays empty") << ""
                                                << "HybridVex® Sonde"
                                                << "";
    }
    void instrumentNamesKeepTheirProtectedPart()
    {
        QFETCH(QString, name);
        QFETCH(QString, catalogueName);
        QFETCH(QString, expected);
        QCOMPARE(ProtectedName::enforce(name, catalogueName), expected);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_ProtectedNameService)
#include "tst_protectednameservice.moc"
