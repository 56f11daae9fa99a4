#include "DemoDataTest.h"
#include "UserSetTestData.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ModeData.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtectedNameService.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QVersionNumber>

#include <iterator>
#include <memory>

// The generator identity and the user sets of both simulated peers. The sets
// are read by the application's own serializer against the catalogue built
// into the application, so that a set the application would refuse or
// silently alter cannot pass.

using namespace DemoDataTest;

namespace {

void addUserSetRows()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    for (const QString &folder : { QStringLiteral("generator/usersets"), QStringLiteral("server/usersets/templates"),
             QStringLiteral("server/usersets/downloads") }) {
        for (const QString &name : filesIn(sourceData(folder), QStringLiteral("*.xml")))
            QTest::newRow(qPrintable(folder + QLatin1Char('/') + name))
                << sourceData(folder + QLatin1Char('/') + name) << folder;
    }
}

QStringList allUserSetPaths()
{
    QStringList paths;
    for (const QString &folder : { QStringLiteral("generator/usersets"), QStringLiteral("server/usersets/templates"),
             QStringLiteral("server/usersets/downloads") }) {
        for (const QString &name : filesIn(sourceData(folder), QStringLiteral("*.xml")))
            paths << sourceData(folder + QLatin1Char('/') + name);
    }
    return paths;
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

/// Checks one instrument of a loaded set against the catalogue and collects
/// every rule it breaks.
class InstrumentChecker
{
public:
    QStringList problems;

    void check(const Instrument *instrument, const QString &where)
    {
        const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
        const InstrumentDefinition *def = catalogue->findInstrumentDefinition(instrument->instrumentType());
        if (!def) {
            fail(where, QStringLiteral("type %1 is not in the catalogue").arg(instrument->instrumentType()));
            return;
        }
        // The reader finds the type by name and the modulation default by
        // number; both must name the same catalogue entry.
        if (def->datensatznummer() != instrument->datensatznummer())
            fail(where,
                QStringLiteral("type %1 has data-set %2, the file says %3")
                    .arg(def->instrumentType(), def->datensatznummer(), instrument->datensatznummer()));
        if (!def->subinstrumentVon().isEmpty())
            fail(where, QStringLiteral("%1 is a sub-instrument type").arg(def->instrumentType()));
        if (instrument->name().isEmpty())
            fail(where, QStringLiteral("instrument without a name"));
        checkName(instrument, def, where);
        if (instrument->evxOn() && def->evxAllowed() != QLatin1String("EIN"))
            fail(where, QStringLiteral("EVX on although the type does not allow it"));

        const InstrumentDefinition *effective = instrument->definition();
        if (!instrument->aliasType().isEmpty()) {
            if (!effective || instrument->aliasName().isEmpty()) {
                fail(where, QStringLiteral("alias needs a catalogue type and a name"));
                return;
            }
            // The alias stands for the instrument on this level: it must be
            // able to run the modes that are selected.
            if (!effective->cutModes().contains(instrument->cut().selektierterMode())
                || !effective->coagModes().contains(instrument->coag().selektierterMode()))
                fail(where, QStringLiteral("alias type %1 cannot run the selected modes").arg(instrument->aliasType()));
        }
        checkActivation(instrument, where);
        checkSide(instrument, instrument->cut(), def, where + QStringLiteral("/Cut"));
        checkSide(instrument, instrument->coag(), def, where + QStringLiteral("/Coag"));

        if (instrument->subInstruments().isEmpty() == (def->isParentInstrument() == QLatin1String("true")))
            fail(
                where, QStringLiteral("sub-instruments and the parent flag of %1 disagree").arg(def->instrumentType()));
        for (const Instrument *sub : instrument->subInstruments()) {
            const QString subWhere = where + QStringLiteral("/SubInstrument ") + sub->datensatznummer();
            const InstrumentDefinition *subDef = catalogue->findInstrumentDefinition(sub->instrumentType());
            if (!subDef || subDef->subinstrumentVon() != def->instrumentType()) {
                fail(subWhere, QStringLiteral("is no sub-instrument of %1").arg(def->instrumentType()));
                continue;
            }
            checkSide(sub, sub->cut(), subDef, subWhere + QStringLiteral("/Cut"));
            checkSide(sub, sub->coag(), subDef, subWhere + QStringLiteral("/Coag"));
        }
    }

private:
    void fail(const QString &where, const QString &what) { problems << where + QStringLiteral(": ") + what; }

    void checkName(const Instrument *instrument, const InstrumentDefinition *def, const QString &where)
    {
        for (bool german : { false, true }) {
            const QString protectedForm = ProtectedNameService::protectedPartOf(def->name(german));
            if (!protectedForm.isEmpty()
                && !instrument->name().startsWith(protectedForm + ProtectedNameService::kSeparator))
                fail(where,
                    QStringLiteral("a %1 must be named %2%3...")
                        .arg(def->instrumentType(), protectedForm, ProtectedNameService::kSeparator));
        }
        if (def->nameMussTypnameEnthalten() == QLatin1String("EIN") && !instrument->name().contains(def->nameDe())
            && !instrument->name().contains(def->nameEn()))
            fail(where, QStringLiteral("the name must contain the type's name"));
    }

    void checkActivation(const Instrument *instrument, const QString &where)
    {
        const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
        const quint32 bits = instrument->activation();
        if (bits == 0)
            fail(where, QStringLiteral("cannot be activated at all"));
        QSet<QString> offered;
        for (const CatalogueEntry &entry : catalogue->getActivationTypes(instrument))
            offered.insert(entry.identifier);
        // The hand switch follows from the instrument and is never offered.
        for (const QString &identifier : InstrumentConfiguration::activationIdentifiers()) {
            const quint32 bit = InstrumentConfiguration::activationBit(identifier);
            if (bit != 0 && bit != Instrument::ActivationHand && (bits & bit) && !offered.contains(identifier))
                fail(where, QStringLiteral("%1 is not offered here").arg(identifier));
        }
        if ((bits & Instrument::ActivationAutostart)
            && instrument->cut().selektierterMode() != QLatin1String("CUT_AUS"))
            fail(where, QStringLiteral("autostart leaves cutting on"));
    }

    void checkSide(const Instrument *owner, const CutCoag &side, const InstrumentDefinition *def, const QString &where)
    {
        const bool cut = side.side() == CutCoag::Cut;
        const QStringList &allowed = cut ? def->cutModes() : def->coagModes();
        if (side.datensatznummer() != owner->datensatznummer())
            fail(where, QStringLiteral("data-set %1 differs from the instrument's").arg(side.datensatznummer()));
        if (!allowed.contains(side.selektierterMode()))
            fail(where, QStringLiteral("selected mode %1 is not offered by the type").arg(side.selektierterMode()));
        if (!side.selectedModeEntry())
            fail(where, QStringLiteral("selected mode %1 has no entry").arg(side.selektierterMode()));
        checkFlow(side, def, where);
        QSet<QString> seen;
        for (const ModeType &mode : side.modes()) {
            const QString name = mode.modeName();
            const int index = int(allowed.indexOf(name));
            if (index < 0) {
                fail(where, QStringLiteral("mode %1 is not offered by the type").arg(name));
                continue;
            }
            if (seen.contains(name))
                fail(where, QStringLiteral("mode %1 twice").arg(name));
            seen.insert(name);
            if (index == 0) {
                if (mode.value(ModeType::Effekt) != QLatin1String("0"))
                    fail(where, QStringLiteral("the off mode has an effect"));
                continue;
            }
            // Element 0 of the mode list is the off mode; the limits start with the first real one.
            double typeMaximum = 0;
            const bool limited
                = cut ? def->getMaxCutEffect(index - 1, typeMaximum) : def->getMaxCoagEffect(index - 1, typeMaximum);
            checkMode(mode, limited ? typeMaximum : -1, where + QLatin1Char('/') + name);
        }
    }

    void checkFlow(const CutCoag &side, const InstrumentDefinition *def, const QString &where)
    {
        bool ok = false;
        const double flow = side.flow().toDouble(&ok);
        double low = 0;
        double high = 0;
        const bool ranged = def->getFlowRange(low, high);
        const bool argon
            = side.side() == CutCoag::Coag && InstrumentConfiguration::isArgonMode(side.selektierterMode());
        if (!ok || flow < 0)
            fail(where, QStringLiteral("flow %1 is no number").arg(side.flow()));
        else if (!def->hasGasChannel() && flow != 0)
            fail(where, QStringLiteral("flow %1 without a gas channel").arg(side.flow()));
        else if (def->hasGasChannel() && (flow != 0 || argon) && (!ranged || flow < low || flow > high))
            fail(where, QStringLiteral("flow %1 outside %2-%3 l/min").arg(side.flow()).arg(low).arg(high));
    }

    /// Every value that a descriptor of the mode edits lies in its range;
    /// decimal effects are kept tenfold.
    void checkMode(const ModeType &mode, double typeMaximum, const QString &where)
    {
        const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(mode.modeName());
        if (descriptors.isEmpty())
            fail(where, QStringLiteral("the mode has no descriptors"));
        for (const ModeData *descriptor : descriptors) {
            if (descriptor->isFlow())
                continue;
            const QString attribute = descriptor->attributeName();
            const QString text = mode.attribute(attribute);
            if (descriptor->kind() == ModeData::OnOff) {
                if (text != QLatin1String("EIN") && text != QLatin1String("AUS"))
                    fail(where, QStringLiteral("%1=%2 is neither EIN nor AUS").arg(attribute, text));
                continue;
            }
            const double scale = descriptor->kind() == ModeData::DecimalNumber ? 10.0 : 1.0;
            bool ok = false;
            const int value = text.toInt(&ok);
            const int low = qRound(descriptor->minimum() * scale);
            const int high = qRound(descriptor->maximum() * scale);
            const int step = qMax(1, qRound(descriptor->step() * scale));
            if (!ok || value < low || value > high || (value - low) % step != 0)
                fail(where,
                    QStringLiteral("%1=%2 outside %3-%4 in steps of %5")
                        .arg(attribute, text)
                        .arg(low)
                        .arg(high)
                        .arg(step));
            if (attribute == QLatin1String("Effekt") && typeMaximum >= 0 && ok && value > typeMaximum)
                fail(where, QStringLiteral("effect %1 above the type's %2").arg(value).arg(typeMaximum));
        }
    }
};

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
                coverage.protectedProgramNames += program->name().contains(ProtectedNameService::kSeparator);
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
            coverage.protectedInstrumentNames += instrument->name().contains(ProtectedNameService::kSeparator);
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

    void userSetStructure_data() { addUserSetRows(); }
    void userSetStructure()
    {
        QFETCH(QString, path);
        QDomDocument document;
        const QString error = loadDom(path, document);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(KelvaraTest::readFile(path).startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), QStringLiteral("AnwenderSet"));
        QVERIFY(!root.attribute(QStringLiteral("XMLDokumententypversion")).isEmpty());

        const QList<QDomElement> devices = childElements(root, QStringLiteral("Geraet"));
        QCOMPARE(devices.size(), 1);
        for (const char *key : { "Name", "Seriennummer", "Softwareversion", "NaechsteSTK" })
            QVERIFY2(devices.first().hasAttribute(QLatin1String(key)), key);
        QVERIFY(!devices.first().attribute(QStringLiteral("Typ")).isEmpty());

        const QList<QDomElement> setups = childElements(root, QStringLiteral("Setup"));
        QCOMPARE(setups.size(), 1);
        for (const char *key :
            { "Einstiegsbildschirm", "BevorzugteNeutralelektrode", "MaximaleAktivierungsdauer", "AutostartErlaubt",
                "AutostartVerzoegerung", "AutostartVerzoegerungCoagM7", "ZweiPedalFussschalterTeilbar" })
            QVERIFY2(!setups.first().attribute(QLatin1String(key)).isEmpty(), key);
        const QMap<QString, QStringList> setupChildren = {
            { QStringLiteral("Helligkeit"),
                { QStringLiteral("Allgemein"), QStringLiteral("Display"), QStringLiteral("Buchse") } },
            { QStringLiteral("Lautstaerke"),
                { QStringLiteral("System"), QStringLiteral("Aktivierung"), QStringLiteral("Taste"),
                    QStringLiteral("Gesamt") } },
            { QStringLiteral("APC"),
                { QStringLiteral("AutomatischesSpuelen"), QStringLiteral("Spueldauer"), QStringLiteral("Gasversorgung"),
                    QStringLiteral("DruckBeiVollerFlasche") } },
            { QStringLiteral("EVX"), { QStringLiteral("Grundabsaugung"), QStringLiteral("Nachlaufzeit") } },
        };
        for (auto it = setupChildren.begin(); it != setupChildren.end(); ++it) {
            const QList<QDomElement> found = childElements(setups.first(), it.key());
            QVERIFY2(found.size() == 1, qPrintable(it.key()));
            for (const QString &key : it.value())
                QVERIFY2(!found.first().attribute(key).isEmpty(), qPrintable(it.key() + QLatin1Char('/') + key));
        }

        static const QSet<QString> pictograms
            = { QStringLiteral("ALLGEMEIN"), QStringLiteral("DERMA"), QStringLiteral("GASTRO"), QStringLiteral("GYN"),
                  QStringLiteral("HNO"), QStringLiteral("KARDIO"), QStringLiteral("NEURO"), QStringLiteral("NEUTRAL"),
                  QStringLiteral("OPHTA"), QStringLiteral("PNEU"), QStringLiteral("URO"), QStringLiteral("USER") };
        const QList<QDomElement> groups = childElements(root, QStringLiteral("Programmgruppe"));
        QVERIFY(!groups.isEmpty());
        QVERIFY(groups.size() <= 20);
        QSet<QString> groupNames;
        for (const QDomElement &group : groups) {
            const QString groupName = group.attribute(QStringLiteral("Name"));
            QVERIFY2(!groupName.isEmpty() && !groupNames.contains(groupName), qPrintable(groupName));
            groupNames.insert(groupName);
            QVERIFY2(
                pictograms.contains(group.attribute(QStringLiteral("Piktogrammidentifier"))), qPrintable(groupName));
            const QList<QDomElement> programs = childElements(group, QStringLiteral("Programm"));
            QVERIFY2(!programs.isEmpty() && programs.size() <= 15, qPrintable(groupName));
            QSet<QString> programNames;
            for (const QDomElement &program : programs) {
                const QString where = groupName + QLatin1Char('/') + program.attribute(QStringLiteral("Name"));
                programNames.insert(program.attribute(QStringLiteral("Name")));
                const QList<QDomElement> levels = childElements(program, QStringLiteral("Ebene"));
                QVERIFY2(!levels.isEmpty() && levels.size() <= 6, qPrintable(where));
                // All levels hold the same physical instruments in the same positions.
                QStringList positions;
                for (const QDomElement &instrument : childElements(levels.first(), QStringLiteral("Instrument")))
                    positions << instrument.attribute(QStringLiteral("Name")) + QLatin1Char('|')
                            + instrument.attribute(QStringLiteral("Datensatznummer"));
                QVERIFY2(!positions.isEmpty() && positions.size() <= 6, qPrintable(where));
                for (const QDomElement &level : levels) {
                    QStringList levelPositions;
                    for (const QDomElement &instrument : childElements(level, QStringLiteral("Instrument")))
                        levelPositions << instrument.attribute(QStringLiteral("Name")) + QLatin1Char('|')
                                + instrument.attribute(QStringLiteral("Datensatznummer"));
                    QVERIFY2(levelPositions == positions,
                        qPrintable(where + QLatin1Char('/') + level.attribute(QStringLiteral("Name"))));
                }
            }
            QCOMPARE(programNames.size(), programs.size());
            QVERIFY2(programNames.contains(group.attribute(QStringLiteral("ZuletztVerwendetesProgramm"))),
                qPrintable(groupName));
        }
        QVERIFY(groupNames.contains(root.attribute(QStringLiteral("ZuletztVerwendeteProgrammgruppe"))));
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

    void userSetInstruments_data() { addUserSetRows(); }
    void userSetInstruments()
    {
        QFETCH(QString, path);
        const std::unique_ptr<UserSet> set = loadUserSet(path);
        QVERIFY(set);
        InstrumentChecker checker;
        const QList<Placed> instruments = instrumentsOf(*set);
        QVERIFY(!instruments.isEmpty());
        for (const Placed &placed : instruments)
            checker.check(placed.instrument, placed.where);
        QVERIFY2(checker.problems.isEmpty(), qPrintable(checker.problems.join(QLatin1Char('\n'))));
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
