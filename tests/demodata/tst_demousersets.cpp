#include "DemoDataTest.h"
#include "UserSetTestData.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtectedName.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QVersionNumber>

#include <iterator>
#include <memory>

// The generator identity and the user sets of both simulated peers. The sets
// are read by the application's own serializer against the catalogue built
// into the application and written back: a set that the reader refuses, or
// that it would silently repair (a protected name, a renamed type, a missing
// element, activation sources that disagree with the bits), cannot pass. The
// catalogue's rules are the product's to check, not this file's.

using namespace DemoDataTest;

namespace {

const QStringList kUserSetFolders = { QStringLiteral("generator/usersets"), QStringLiteral("server/usersets/templates"),
    QStringLiteral("server/usersets/downloads") };

QStringList allUserSetPaths()
{
    QStringList paths;
    for (const QString &folder : kUserSetFolders) {
        for (const QString &name : filesIn(sourceData(folder), QStringLiteral("*.xml")))
            paths << sourceData(folder + QLatin1Char('/') + name);
    }
    return paths;
}

void addUserSetRows()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    for (const QString &path : allUserSetPaths()) {
        const QString folder = QFileInfo(path).path().mid(sourceData().size());
        QTest::newRow(qPrintable(folder + QLatin1Char('/') + QFileInfo(path).fileName())) << path << folder;
    }
}

/// Reads a demo set with the application's serializer; null when it does not load.
std::unique_ptr<UserSet> loadUserSet(const QString &path, QString *error = nullptr)
{
    auto set = std::make_unique<UserSet>(UserSet::USER_TEMPLATE);
    XmlUserSetSerializer serializer;
    if (!serializer.readFile(path, set.get())) {
        if (error)
            *error = serializer.lastError();
        return nullptr;
    }
    return set;
}

/// An instrument of a loaded set with the place it sits at, for messages.
struct Placed
{
    const Instrument *instrument;
    QString where;
};

QList<Placed> instrumentsOf(const UserSet &set)
{
    QList<Placed> list;
    for (const ProgramGroup *group : set.programGroups()) {
        for (const UserProgram *program : group->programs()) {
            for (const ProgramLevel *level : program->levels()) {
                for (const Instrument *instrument : level->instruments())
                    list.append({ instrument,
                        QStringLiteral("%1/%2/%3/%4")
                            .arg(group->name(), program->name(), level->name(), instrument->name()) });
            }
        }
    }
    return list;
}

/// Facts over all demo sets together that make the demonstration worth having.
struct Coverage
{
    QSet<QString> types;
    bool wireTypeOfHybrid = false;
    int argonWithFlow = 0;
    int withSubInstruments = 0;
    int protectedInstrumentNames = 0;
    int protectedProgramNames = 0;
    int aliases = 0;
    int autostart = 0;
    int autostop = 0;
    int multiLevelPrograms = 0;
};

struct Feature
{
    const char *name;
    bool (*shown)(const Coverage &);
};

const Feature kFeatures[] = {
    { "data-set 138 travels as APC_Sonde", [](const Coverage &c) { return c.wireTypeOfHybrid; } },
    { "argon modes with a flow", [](const Coverage &c) { return c.argonWithFlow >= 3; } },
    { "instruments with sub-instruments", [](const Coverage &c) { return c.withSubInstruments >= 2; } },
    { "protected instrument names", [](const Coverage &c) { return c.protectedInstrumentNames >= 3; } },
    { "protected program names", [](const Coverage &c) { return c.protectedProgramNames >= 3; } },
    { "an alias", [](const Coverage &c) { return c.aliases >= 1; } },
    { "autostart", [](const Coverage &c) { return c.autostart >= 1; } },
    { "autostop", [](const Coverage &c) { return c.autostop >= 1; } },
    { "programs with several levels", [](const Coverage &c) { return c.multiLevelPrograms >= 3; } },
};

Coverage collectCoverage()
{
    Coverage coverage;
    for (const QString &path : allUserSetPaths()) {
        const std::unique_ptr<UserSet> set = loadUserSet(path);
        if (!set)
            continue;
        coverage.wireTypeOfHybrid = coverage.wireTypeOfHybrid
            || KelvaraTest::readFile(path).contains("Typ=\"APC_Sonde\" Datensatznummer=\"138\"");
        for (const ProgramGroup *group : set->programGroups()) {
            for (const UserProgram *program : group->programs()) {
                coverage.protectedProgramNames += program->name().contains(ProtectedName::kSeparator);
                coverage.multiLevelPrograms += program->levels().size() > 1;
            }
        }
        for (const Placed &placed : instrumentsOf(*set)) {
            const Instrument *instrument = placed.instrument;
            coverage.types.insert(instrument->instrumentType());
            for (const Instrument *sub : instrument->subInstruments())
                coverage.types.insert(sub->instrumentType());
            coverage.argonWithFlow += InstrumentConfiguration::isArgonMode(instrument->coag().selektierterMode())
                && instrument->coag().flow().toDouble() > 0;
            coverage.withSubInstruments += !instrument->subInstruments().isEmpty();
            coverage.protectedInstrumentNames += instrument->name().contains(ProtectedName::kSeparator);
            coverage.aliases += !instrument->aliasType().isEmpty();
            coverage.autostart += instrument->hasActivation(Instrument::ActivationAutostart);
            coverage.autostop += instrument->hasActivation(Instrument::ActivationAutostop);
        }
    }
    return coverage;
}

} // namespace

class tst_DemoUserSets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        // The catalogue the application ships, built from its readable source.
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
        QVERIFY(InstrumentConfiguration::instance()->definitionCount() >= 10);
    }

    void generatorIdentity()
    {
        QSettings identity(sourceData(QStringLiteral("generator/identity.ini")), QSettings::IniFormat);
        for (const char *key : { "Type", "SerialNumber", "Name", "SoftwareVersion" })
            QVERIFY2(!identity.value(QLatin1String("Device/") + QLatin1String(key)).toString().isEmpty(), key);
        QVERIFY(
            QVersionNumber::fromString(identityValue(QStringLiteral("SoftwareVersion"))) >= QVersionNumber(1, 4, 0));
        // From protocol version 5 on the generator answers with file lists.
        QVERIFY(identity.value(QStringLiteral("Device/ProtocolVersion")).toInt() >= 5);
    }

    void userSetLoadsUnchanged_data() { addUserSetRows(); }
    void userSetLoadsUnchanged()
    {
        QFETCH(QString, path);
        QString error;
        const std::unique_ptr<UserSet> set = loadUserSet(path, &error);
        QVERIFY2(set, qPrintable(error));
        QVERIFY(set->loadState() != 0);
        QVERIFY(!set->programGroups().isEmpty());
        // Writing the set back gives the file again: nothing was renamed,
        // defaulted, dropped or re-derived on the way in.
        XmlUserSetSerializer serializer;
        const QByteArray written = serializer.toXml(set.get());
        const QString difference = UserSetTestData::compareDocuments(KelvaraTest::readFile(path), written);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void selectedModesHaveTheirEntries_data() { addUserSetRows(); }
    void selectedModesHaveTheirEntries()
    {
        // The editor and the list summaries open the selected mode's entry;
        // the reader accepts a set without it.
        QFETCH(QString, path);
        const std::unique_ptr<UserSet> set = loadUserSet(path);
        QVERIFY(set);
        QStringList missing;
        for (const Placed &placed : instrumentsOf(*set)) {
            QList<const Instrument *> parts { placed.instrument };
            for (const Instrument *sub : placed.instrument->subInstruments())
                parts << sub;
            for (const Instrument *part : parts) {
                for (const CutCoag *side : { &part->cut(), &part->coag() }) {
                    if (!side->selectedModeEntry())
                        missing << placed.where + QLatin1Char('/') + side->selektierterMode();
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    void catalogueTypeIsDemonstrated_data()
    {
        QTest::addColumn<QString>("type");
        for (const QString &type : InstrumentConfiguration::instance()->instrumentTypes())
            QTest::newRow(qPrintable(type)) << type;
    }
    void catalogueTypeIsDemonstrated()
    {
        QFETCH(QString, type);
        static const Coverage coverage = collectCoverage();
        QVERIFY2(coverage.types.contains(type), qPrintable(type + QStringLiteral(" appears in no demo user set")));
    }

    void featureIsDemonstrated_data()
    {
        QTest::addColumn<int>("feature");
        for (int i = 0; i < int(std::size(kFeatures)); ++i)
            QTest::newRow(kFeatures[i].name) << i;
    }
    void featureIsDemonstrated()
    {
        QFETCH(int, feature);
        static const Coverage coverage = collectCoverage();
        QVERIFY(kFeatures[feature].shown(coverage));
    }

    void userSetFileNames_data() { addUserSetRows(); }
    void userSetFileNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        const QString name = QFileInfo(path).fileName();
        QVERIFY(name.endsWith(QLatin1String(".xml")));
        const QStringList parts = name.chopped(4).split(QLatin1Char('_'));
        QCOMPARE(parts.size(), 6);
        for (const QString &part : parts)
            QVERIFY2(!part.isEmpty(), qPrintable(name));
        QVERIFY2(utcStamp(parts.at(3), parts.at(4)).isValid(), qPrintable(name));
        if (folder != QLatin1String("server/usersets/templates")) {
            // Sets of a generator are grouped by its serial number.
            QDomDocument document;
            QVERIFY(loadDom(path, document).isEmpty());
            QCOMPARE(parts.at(1),
                document.documentElement()
                    .firstChildElement(QStringLiteral("Geraet"))
                    .attribute(QStringLiteral("Seriennummer")));
        }
        if (folder == QLatin1String("generator/usersets"))
            QCOMPARE(parts.at(1), identityValue(QStringLiteral("SerialNumber")));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_DemoUserSets)

#include "tst_demousersets.moc"
