#include "DemoDataTest.h"

#include "UserRoles.h"

#include <QtCore/QDirIterator>
#include <QtCore/QRandomGenerator>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>

// The lists, firmware, accounts and service-centre directories of the
// simulated back-end server, and the assembled demo tree.

using namespace DemoDataTest;

class tst_DemoServer : public QObject
{
    Q_OBJECT

private slots:
    void serverLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("templates") << QStringLiteral("templates.txt") << QStringLiteral("server/usersets/templates")
                                   << QStringLiteral("*.xml");
        QTest::newRow("downloads") << QStringLiteral("downloads.txt") << QStringLiteral("server/usersets/downloads")
                                   << QStringLiteral("*.xml");
        QTest::newRow("firmware") << QStringLiteral("firmware.txt") << QStringLiteral("server/firmware")
                                  << QStringLiteral("*.esb");
    }
    void serverLists()
    {
        QFETCH(QString, list);
        QFETCH(QString, folder);
        QFETCH(QString, pattern);
        const QByteArray text = KelvaraTest::readFile(sourceData(QStringLiteral("server/lists/") + list));
        QVERIFY(!text.isEmpty());
        // The payload separates entries with CR LF; a lone LF would glue two names.
        QCOMPARE(text.count('\n'), text.count("\r\n"));
        QStringList names;
        for (const QByteArray &entry : text.split('\n')) {
            const QString line = QString::fromUtf8(entry).trimmed();
            if (line.isEmpty())
                continue;
            const int colon = line.lastIndexOf(QLatin1Char(':'));
            QVERIFY2(colon > 0, qPrintable(line));
            const QString second = line.mid(colon + 1);
            QVERIFY2(second.size() == 14 && utcStamp(second.mid(2, 6), second.mid(8)).isValid(), qPrintable(line));
            names << line.left(colon);
        }
        QStringList files = filesIn(sourceData(folder), pattern);
        names.sort();
        QCOMPARE(names, files);
    }

    void firmwareDescriptions_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = filesIn(sourceData(QStringLiteral("server/firmware")), QStringLiteral("*.esb"));
        QVERIFY(names.size() >= 2);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }
    void firmwareDescriptions()
    {
        QFETCH(QString, name);
        const QString stem = name.chopped(4);
        // Readers that rewrite every "esb" of a name must find the container too.
        QVERIFY(!stem.contains(QLatin1String("esb")) && !stem.contains(QLatin1String("esc")));
        const QStringList parts = stem.split(QLatin1Char('_'));
        QVERIFY2(parts.size() >= 9, "the update list shows the version only for names of nine parts");
        const QString shownVersion
            = parts.at(3) + QLatin1Char('.') + parts.at(4) + QLatin1Char('.') + parts.at(5) + parts.at(6);
        // The update history reads the new version from characters 21 to 25.
        QCOMPARE(name.mid(21, 5).replace(QLatin1Char('_'), QLatin1Char('.')),
                 parts.at(3) + QLatin1Char('.') + parts.at(4) + QLatin1Char('.') + parts.at(5));

        QSettings description(sourceData(QStringLiteral("server/firmware/") + name), QSettings::IniFormat);
        QCOMPARE(description.status(), QSettings::NoError);
        QStringList groups = description.childGroups();
        groups.sort();
        QCOMPARE(groups, (QStringList { QStringLiteral("de"), QStringLiteral("en") }));
        for (const QString &language : groups) {
            for (const char *key : { "Version", "Hint", "Change1", "Change2", "Change3" }) {
                const QVariant value = description.value(language + QLatin1Char('/') + QLatin1String(key));
                const QString where = language + QLatin1Char('/') + QLatin1String(key);
                // A comma would make the reader return a list, which reads as empty text.
                QVERIFY2(value.typeId() == QMetaType::QString, qPrintable(where));
                QVERIFY2(!value.toString().isEmpty(), qPrintable(where));
                QVERIFY2(!value.toString().contains(QLatin1Char('\n')), qPrintable(where));
            }
            QCOMPARE(description.value(language + QStringLiteral("/Version")).toString(), shownVersion);
        }

        const QFileInfo container(builtData(QStringLiteral("server/firmware/") + stem + QStringLiteral(".esc")));
        QVERIFY2(container.isFile(), qPrintable(container.filePath()));
        QVERIFY(container.size() >= 1024 * 1024);
    }

    void firmwareGenerator_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("zero bytes is refused") << QStringLiteral("0") << 2;
        QTest::newRow("not a number is refused") << QStringLiteral("1M") << 2;
        QTest::newRow("one byte") << QStringLiteral("1") << 0;
        QTest::newRow("one below a word") << QStringLiteral("3") << 0;
        QTest::newRow("exactly a word") << QStringLiteral("4") << 0;
        QTest::newRow("one above a word") << QStringLiteral("5") << 0;
        QTest::newRow("exactly one block") << QStringLiteral("65536") << 0;
        QTest::newRow("one above a block") << QStringLiteral("65537") << 0;
        QTest::newRow("many blocks") << QStringLiteral("300001") << 0;
    }
    void firmwareGenerator()
    {
        QFETCH(QString, size);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("a.esc"));
        const QString second = dir.filePath(QStringLiteral("b.esc"));
        const QString other = dir.filePath(QStringLiteral("c.esc"));
        QCOMPARE(runTool({ QStringLiteral("demo"), QStringLiteral("firmware"), first, size, QStringLiteral("7") }),
            exitCode);
        if (exitCode != 0) {
            QVERIFY(!QFile::exists(first));
            return;
        }
        QCOMPARE(runTool({ QStringLiteral("demo"), QStringLiteral("firmware"), second, size, QStringLiteral("7") }), 0);
        QCOMPARE(runTool({ QStringLiteral("demo"), QStringLiteral("firmware"), other, size, QStringLiteral("8") }), 0);
        const QByteArray bytes = KelvaraTest::readFile(first);
        QCOMPARE(bytes.size(), size.toLongLong());
        QCOMPARE(KelvaraTest::readFile(second), bytes);
        if (bytes.size() >= 4)
            QVERIFY(KelvaraTest::readFile(other) != bytes);
        // The words of the seeded generator, least significant byte first,
        // whatever the byte order of the host.
        QRandomGenerator reference(7);
        QByteArray expected;
        while (expected.size() < qMin<qsizetype>(bytes.size(), 12)) {
            const quint32 word = reference.generate();
            for (int shift = 0; shift < 32; shift += 8)
                expected.append(char((word >> shift) & 0xFF));
        }
        QCOMPARE(bytes.left(12), expected.left(bytes.size()));
    }

    void usersCoverRole_data()
    {
        QTest::addColumn<QString>("role");
        for (const char *role : { "ADMIN", "SERVICE_DEALER", "MEDIC_NURSE", "EMERGENCY_CONTACT", "NO_ROLE" })
            QTest::newRow(role) << QString::fromLatin1(role);
    }
    void usersCoverRole()
    {
        QFETCH(QString, role);
        QSettings users(sourceData(QStringLiteral("server/users.ini")), QSettings::IniFormat);
        QStringList holders;
        for (const QString &user : users.childGroups()) {
            if (users.value(user + QStringLiteral("/Role")).toString() == role
                && users.value(user + QStringLiteral("/Locked")).toString() != QLatin1String("true"))
                holders << user;
        }
        QVERIFY2(!holders.isEmpty(), qPrintable(role));
    }

    void userAccounts()
    {
        QSettings users(sourceData(QStringLiteral("server/users.ini")), QSettings::IniFormat);
        QCOMPARE(users.status(), QSettings::NoError);
        const QSet<QString> centres
            = serviceCenterIds(sourceData(QStringLiteral("server/servicecenters/"))
                  + filesIn(sourceData(QStringLiteral("server/servicecenters")), QStringLiteral("*.xml")).value(0))
            & serviceCenterIds(QStringLiteral(KELVARA_SOURCE_DIR "/") + kBuiltinCentres);
        QVERIFY(!centres.isEmpty());
        QSet<QString> lowerNames;
        int locked = 0;
        for (const QString &user : users.childGroups()) {
            QVERIFY2(!lowerNames.contains(user.toLower()), qPrintable(user));
            lowerNames.insert(user.toLower());
            users.beginGroup(user);
            for (const char *key :
                { "Password", "Role", "FirstName", "LastName", "Company", "Institution1", "Institution2" }) {
                QVERIFY2(users.contains(QLatin1String(key)), qPrintable(user + QLatin1Char('/') + QLatin1String(key)));
                QVERIFY2(users.value(QLatin1String(key)).typeId() == QMetaType::QString,
                    qPrintable(user + QLatin1Char('/') + QLatin1String(key)));
            }
            QVERIFY(!users.value(QStringLiteral("Password")).toString().isEmpty());
            const int role = UserRoleEnum::fromName(users.value(QStringLiteral("Role")).toString());
            QVERIFY2(role >= 0 && role < UserRoleEnum::USER_ROLES_COUNT, qPrintable(user));
            for (const char *key : { "Institution1", "Institution2" }) {
                const QString id = users.value(QLatin1String(key)).toString();
                QVERIFY2(id.isEmpty() || centres.contains(id), qPrintable(user + QLatin1Char('/') + id));
            }
            if (users.value(QStringLiteral("Locked")).toString() == QLatin1String("true"))
                ++locked;
            users.endGroup();
        }
        QVERIFY(locked >= 1);
    }

    void serviceCenters_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("built-in resource") << QStringLiteral(":/") + kBuiltinCentres;
        const QString folder = QStringLiteral("server/servicecenters");
        for (const QString &name : filesIn(sourceData(folder), QStringLiteral("*.xml")))
            QTest::newRow(qPrintable(QStringLiteral("server ") + name)) << sourceData(folder + QLatin1Char('/') + name);
    }
    void serviceCenters()
    {
        QFETCH(QString, path);
        QDomDocument document;
        const QString error = loadDom(path, document);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), QStringLiteral("ServiceCenters"));
        QCOMPARE(root.attribute(QStringLiteral("XMLDokumententypversion")), QStringLiteral("1.0"));
        const QList<QDomElement> centres = childElements(root, QStringLiteral("ServiceCenter"));
        QVERIFY(centres.size() >= 8);
        QSet<QString> ids;
        QSet<QString> countries;
        static const QRegularExpression countryTag(QStringLiteral("^[A-Z]{3}$"));
        for (const QDomElement &centre : centres) {
            const QString id = centre.attribute(QStringLiteral("ServiceCenterId"));
            QVERIFY2(!id.isEmpty() && !ids.contains(id), qPrintable(id));
            ids.insert(id);
            for (const char *key : { "City", "Organization", "Address1", "Zip", "Phone", "Fax", "Web", "Email" })
                QVERIFY2(!centre.attribute(QLatin1String(key)).isEmpty(),
                    qPrintable(id + QLatin1Char('/') + QLatin1String(key)));
            QVERIFY2(centre.hasAttribute(QStringLiteral("Address2")), qPrintable(id));
            QVERIFY2(countryTag.match(centre.attribute(QStringLiteral("CountryTag"))).hasMatch(), qPrintable(id));
            countries.insert(centre.attribute(QStringLiteral("CountryTag")));
            // Only reserved example domains: nothing here may reach a real inbox or site.
            const QString mail = centre.attribute(QStringLiteral("Email"));
            QVERIFY2(mail.contains(QLatin1Char('@')) && mail.endsWith(QLatin1String(".example")), qPrintable(mail));
            const QString web = centre.attribute(QStringLiteral("Web"));
            QVERIFY2(!web.contains(QLatin1String("://"))
                    && web.section(QLatin1Char('/'), 0, 0).endsWith(QLatin1String(".example")),
                qPrintable(web));

            const QList<QDomElement> details = childElements(centre, QStringLiteral("TranslatedDetails"));
            QCOMPARE(details.size(), 1);
            QSet<QString> languages;
            for (const QDomElement &translation : childElements(details.first(), QStringLiteral("Translation"))) {
                const QString where
                    = id + QLatin1Char('/') + translation.attribute(QStringLiteral("TranslationLanguage"));
                languages.insert(translation.attribute(QStringLiteral("TranslationLanguage")));
                QVERIFY2(!translation.attribute(QStringLiteral("Country")).isEmpty(), qPrintable(where));
                QVERIFY2(!translation.attribute(QStringLiteral("Languages")).isEmpty(), qPrintable(where));
                const QList<QDomElement> reachabilities = childElements(translation, QStringLiteral("Reachabilities"));
                QVERIFY2(reachabilities.size() == 1, qPrintable(where));
                const QList<QDomElement> lines = childElements(reachabilities.first(), QStringLiteral("Reachability"));
                QVERIFY2(lines.size() == 2, qPrintable(where));
                for (const QDomElement &reach : lines)
                    QVERIFY2(!reach.attribute(QStringLiteral("Days")).isEmpty()
                            && !reach.attribute(QStringLiteral("Hours")).isEmpty(),
                        qPrintable(where));
            }
            QVERIFY2(
                languages.contains(QStringLiteral("en")) && languages.contains(QStringLiteral("de")), qPrintable(id));
        }
        QVERIFY(countries.size() >= 5);
        // The default of a new user's settings.
        QVERIFY(ids.contains(QStringLiteral("Germany_01")));
    }

    void serverCentreListSupersedesBuiltin()
    {
        QCOMPARE(KelvaraTest::readFile(QStringLiteral(":/") + kBuiltinCentres),
            KelvaraTest::readFile(QStringLiteral(KELVARA_SOURCE_DIR "/") + kBuiltinCentres));
        const QStringList served
            = filesIn(sourceData(QStringLiteral("server/servicecenters")), QStringLiteral("*.xml"));
        QCOMPARE(served.size(), 1);
        // A user's tree holds both files; the name that sorts last is read.
        const QString builtin = QFileInfo(kBuiltinCentres).fileName();
        QVERIFY(served.first().startsWith(QLatin1String("kelvara_contact_ServiceCenterList_")));
        QVERIFY(QString::compare(served.first(), builtin, Qt::CaseInsensitive) > 0);
    }

    void builtTreeMatchesCommittedFiles_data()
    {
        QTest::addColumn<QString>("relative");
        for (const QString &top : { QStringLiteral("generator"), QStringLiteral("server") }) {
            QDirIterator it(sourceData(top), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString relative = QDir(sourceData()).relativeFilePath(it.next());
                QTest::newRow(qPrintable(relative)) << relative;
            }
        }
    }
    void builtTreeMatchesCommittedFiles()
    {
        QFETCH(QString, relative);
        QCOMPARE(KelvaraTest::readFile(builtData(relative)), KelvaraTest::readFile(sourceData(relative)));
    }

private:
    QByteArray m_flex;
};

KELVARA_TEST_GUILESS_MAIN(tst_DemoServer)

#include "tst_demoserver.moc"
