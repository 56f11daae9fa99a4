#include "KelvaraTest.h"

#include "ContactViewController.h"
#include "DataPaths.h"
#include "FileTransfer.h"
#include "ProtocolTypes.h"
#include "SCTranslation.h"
#include "ServiceCenter.h"
#include "SettingsService.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "TranslationService.h"
#include "XmlServiceCenterSerializer.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QSignalSpy>

namespace {

// One centre: id, city, tag and its translations as "lang:Country" (an
// empty list leaves TranslatedDetails empty).
QByteArray centre(const QString &id, const QString &city, const QString &tag, const QStringList &translations,
                  const QString &extra = QString())
{
    QString xml = QStringLiteral("<ServiceCenter ServiceCenterId=\"%1\" CountryTag=\"%2\" City=\"%3\" Web=\"w.example/%1\" "
                                 "Email=\"%1@halvo.example\"><TranslatedDetails>")
                      .arg(id, tag, city);
    for (const QString &translation : translations) {
        const QStringList parts = translation.split(QLatin1Char(':'));
        xml += QStringLiteral("<Translation TranslationLanguage=\"%1\" Country=\"%2\" Languages=\"L-%1\"><Reachabilities>"
                              "<Reachability Days=\"D1-%1\" Hours=\"H1\"/><Reachability Days=\"D2-%1\" Hours=\"H2\"/>"
                              "</Reachabilities></Translation>")
                   .arg(parts.value(0), parts.value(1));
    }
    xml += QStringLiteral("</TranslatedDetails>") + extra + QStringLiteral("</ServiceCenter>");
    return xml.toUtf8();
}

QByteArray directory(const QByteArray &centres)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><ServiceCenters XMLDokumententypversion=\"1.0\">" + centres
           + "</ServiceCenters>";
}

const QByteArray kMixed = directory(centre("FR_01", "Lyon", "FRA", {"en:France", "de:Frankreich"})
                                    + centre("DE_01", "Hamburg", "DEU", {"en:Germany", "de:Deutschland"})
                                    + centre("AT_01", "Wien", "AUT", {"de:Österreich"})
                                    + centre("XX_01", "Aachen", "ZZZ", {"fr:Zanzibar"})
                                    + centre("DE_02", "Berlin", "DEU", {"en:Germany"}));

} // namespace

// The directory file, its reader and the directory half of the Contact controller.
class tst_ServiceCenters : public QObject
{
    Q_OBJECT

private:
    const QString m_user = QStringLiteral("contactuser");
    TranslationService m_translation;
    std::unique_ptr<SettingsService> m_settings;

    QString contactFolder() const { return DataPaths::userPath(m_user, QStringLiteral("kelvara_configFiles/contact")); }

    void installDirectory(const QByteArray &xml, const QString &name = QStringLiteral("list_V1.xml"))
    {
        QDir(contactFolder()).removeRecursively();
        DataPaths::ensureDirectory(contactFolder());
        QVERIFY(KelvaraTest::writeFile(contactFolder() + QLatin1Char('/') + name, xml));
    }

    QStringList texts(const ContactViewController &controller) const
    {
        QStringList rows;
        for (int i = 0; i < controller.serviceCenterListModel()->rowCount(); ++i)
            rows << controller.serviceCenterListModel()->elementAt(i)->text();
        return rows;
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::startSettings(true);
        DataPaths::createUserDirectories(m_user);
        m_settings = std::make_unique<SettingsService>(&m_translation);
        m_settings->setUser(m_user);
        m_translation.loadLanguage(QStringLiteral("en"));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("count");
        const QByteArray good = centre("A", "Hamburg", "DEU", {"en:Germany", "de:Deutschland"});
        QTest::newRow("two centres") << directory(good + centre("B", "Wien", "AUT", {"de:Österreich"})) << true << 2;
        QTest::newRow("no centre") << directory("") << false << 0;
        QTest::newRow("empty file") << QByteArray() << false << 0;
        QTest::newRow("truncated") << directory(good).left(300) << false << 0;
        QTest::newRow("missing TranslatedDetails")
            << directory(QByteArrayLiteral("<ServiceCenter ServiceCenterId=\"A\"></ServiceCenter>")) << false << 0;
        QTest::newRow("doubled TranslatedDetails")
            << directory(centre("A", "x", "DEU", {"en:G"}, QStringLiteral("<TranslatedDetails><Translation "
                                                                           "TranslationLanguage=\"de\"><Reachabilities>"
                                                                           "<Reachability/></Reachabilities></Translation>"
                                                                           "</TranslatedDetails>")))
            << false << 0;
        QTest::newRow("no translation") << directory(centre("A", "x", "DEU", {})) << false << 0;
        QTest::newRow("no reachability")
            << directory("<ServiceCenter><TranslatedDetails><Translation><Reachabilities/></Translation>"
                         "</TranslatedDetails></ServiceCenter>")
            << false << 0;
        QTest::newRow("doubled Reachabilities")
            << directory("<ServiceCenter><TranslatedDetails><Translation><Reachabilities><Reachability/>"
                         "</Reachabilities><Reachabilities><Reachability/></Reachabilities></Translation>"
                         "</TranslatedDetails></ServiceCenter>")
            << false << 0;
        QTest::newRow("second centre broken keeps the first")
            << directory(good + centre("B", "x", "DEU", {})) << false << 1;
    }

    void parse()
    {
        QFETCH(QByteArray, xml);
        QFETCH(bool, ok);
        QFETCH(int, count);
        const QString path = QDir::tempPath() + QStringLiteral("/sc.xml");
        QVERIFY(KelvaraTest::writeFile(path, xml));
        QFile file(path);
        QList<ServiceCenter *> list;
        QCOMPARE(XmlServiceCenterSerializer::parseServiceCenters(file, list), ok);
        QCOMPARE(list.size(), count);
        QCOMPARE(XmlServiceCenterSerializer::isValid(xml), ok);
        if (ok) {
            QCOMPARE(list.first()->city, QStringLiteral("Hamburg"));
            QCOMPARE(list.first()->translation(QStringLiteral("de"))->reachability(1).first, QStringLiteral("D2-de"));
        }
        qDeleteAll(list);
    }

    void translationFallsBackToEnglish_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("own language") << QStringList{"en:E", "de:D"} << "de" << "D";
        QTest::newRow("fr falls back to en") << QStringList{"en:E", "de:D"} << "fr" << "E";
        QTest::newRow("neither") << QStringList{"de:D"} << "fr" << "";
    }

    void translationFallsBackToEnglish()
    {
        QFETCH(QStringList, languages);
        QFETCH(QString, wanted);
        QFETCH(QString, chosen);
        ServiceCenter serviceCenter;
        for (const QString &entry : languages)
            serviceCenter.addTranslation(new SCTranslation(entry.left(2), entry.mid(3), QString()));
        const SCTranslation *translation = serviceCenter.translation(wanted);
        QCOMPARE(translation ? translation->country() : QString(), chosen);
    }

    void instanceMapFindsLiveCentresOnly()
    {
        QString id;
        {
            ServiceCenter serviceCenter;
            id = serviceCenter.instanceId();
            QCOMPARE(ServiceCenter::find(id), &serviceCenter);
        }
        QVERIFY(!ServiceCenter::find(id));
    }

    void sortAndFilter_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<bool>("showAll");
        QTest::addColumn<QString>("institution1");
        QTest::addColumn<QString>("institution2");
        QTest::addColumn<QStringList>("rows");
        // English interface; a centre without an English text shows (and sorts by) its country tag.
        // Regression: mixing translated names and tags per pair was no strict weak order.
        QTest::newRow("country, mixed translations")
            << "" << true << "" << ""
            << QStringList{"AUT - Wien", "France - Lyon", "Germany - Hamburg", "Germany - Berlin", "ZZZ - Aachen"};
        QTest::newRow("city") << "City" << true << "" << ""
                              << QStringList{"ZZZ - Aachen", "Germany - Berlin", "Germany - Hamburg", "France - Lyon",
                                             "AUT - Wien"};
        QTest::newRow("default first") << "Default" << true << "" << ""
                                       << QStringList{"Germany - Hamburg", "AUT - Wien", "France - Lyon",
                                                      "Germany - Berlin", "ZZZ - Aachen"};
        QTest::newRow("institutions only") << "City" << false << "DE_02" << "FR_01"
                                           << QStringList{"Germany - Berlin", "France - Lyon"};
        // Regression: an empty institution setting matched a centre without id.
        QTest::newRow("empty institutions see nothing") << "" << false << "" << "" << QStringList{};
    }

    void sortAndFilter()
    {
        QFETCH(QString, sort);
        QFETCH(bool, showAll);
        QFETCH(QString, institution1);
        QFETCH(QString, institution2);
        QFETCH(QStringList, rows);
        installDirectory(kMixed + QByteArray());
        m_settings->setInstitution1(institution1);
        m_settings->setInstitution2(institution2);
        m_settings->setServiceCenter(QStringLiteral("DE_01"));
        ContactViewController controller(nullptr, nullptr, nullptr, m_settings.get(), &m_translation, nullptr);
        controller.setSort(sort);
        controller.loadServiceCenters(m_user, showAll);
        QCOMPARE(texts(controller), rows);
        QCOMPARE(controller.isServiceCenterSelected(), rows.contains(QStringLiteral("Germany - Hamburg")));
    }

    void selectionAndDefault()
    {
        installDirectory(kMixed);
        m_settings->setServiceCenter(QStringLiteral("DE_01"));
        ContactViewController controller(nullptr, nullptr, nullptr, m_settings.get(), &m_translation, nullptr);
        controller.loadServiceCenters(m_user, true);
        QCOMPARE(controller.serviceCenterID(), QStringLiteral("DE_01"));
        QCOMPARE(controller.reachability2Days(), QStringLiteral("D2-en"));
        QCOMPARE(controller.languages(), QStringLiteral("L-en"));
        QSignalSpy changed(&controller, &ContactViewController::serviceCenterDataChanged);
        controller.setSelectedServiceCenterIndex(-1);
        controller.setSelectedServiceCenterIndex(99);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(controller.serviceCenterID(), QStringLiteral("DE_01"));
        controller.setSelectedServiceCenterIndex(1);
        QCOMPARE(controller.serviceCenterID(), QStringLiteral("FR_01"));
        QCOMPARE(controller.country(), QStringLiteral("France"));
        // The Austrian centre has no English text: details stay empty, address fields do not.
        controller.setSelectedServiceCenterIndex(0);
        QCOMPARE(controller.country(), QString());
        QCOMPARE(controller.city(), QStringLiteral("Wien"));
        controller.setDefaultServiceCenter(controller.serviceCenterListModel()->elementAt(1)->id());
        QCOMPARE(m_settings->getServiceCenter(), QStringLiteral("FR_01"));
        QCOMPARE(controller.getIndexForDefaultServiceCenter(), 1);
        QVERIFY(controller.serviceCenterListModel()->elementAt(1)->isSelected());
        controller.setDefaultServiceCenter(QStringLiteral("no such instance"));
        QCOMPARE(m_settings->getServiceCenter(), QStringLiteral("FR_01"));
    }

    void newestFileThatParsesIsLoaded()
    {
        installDirectory(directory(centre("OLD", "Alt", "DEU", {"en:Old"})), QStringLiteral("list_V1.xml"));
        QVERIFY(KelvaraTest::writeFile(contactFolder() + QStringLiteral("/list_V2.xml"), "<ServiceCenters><broken"));
        ContactViewController controller(nullptr, nullptr, nullptr, m_settings.get(), &m_translation, nullptr);
        controller.loadServiceCenters(m_user, true);
        QCOMPARE(texts(controller), QStringList{QStringLiteral("Old - Alt")});
    }

    void serverListIsCheckedBeforeItIsKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("kept");
        const QByteArray good = directory(centre("NEW", "Neu", "DEU", {"en:New"}));
        QTest::newRow("valid list") << "list_V9.xml" << good << true;
        // Regression: a broken list was stored and then shadowed the good one.
        QTest::newRow("does not parse") << "list_V9.xml" << QByteArray("<ServiceCenters>") << false;
        QTest::newRow("path in the name") << "../list_V9.xml" << good << false;
        QTest::newRow("not xml") << "list_V9.txt" << good << false;
    }

    void serverListIsCheckedBeforeItIsKept()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, data);
        QFETCH(bool, kept);
        installDirectory(directory(centre("OLD", "Alt", "DEU", {"en:Old"})));
        ContactViewController controller(nullptr, nullptr, nullptr, m_settings.get(), &m_translation, nullptr);
        controller.loadServiceCenters(m_user, true);
        FileTransfer file(1, false, FileType::ServiceCenters, QString(), name, 0, data, 0);
        QCOMPARE(controller.onServiceCenterListReceived(file, m_user, true), kept);
        QCOMPARE(QDir(contactFolder()).entryList(QDir::Files).size(), kept ? 2 : 1);
        QCOMPARE(texts(controller), QStringList{kept ? QStringLiteral("New - Neu") : QStringLiteral("Old - Alt")});
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_ServiceCenters)
#include "tst_servicecenters.moc"
