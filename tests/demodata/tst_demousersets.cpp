#include "DemoDataTest.h"

#include <QtCore/QVersionNumber>

// The generator identity and the user sets of both simulated peers.

using namespace DemoDataTest;

namespace {

struct ModeRule
{
    int low;
    int high;
    QStringList extras;
};

/// Parameters of each mode entry and the range of its effect (modes with a
/// decimal effect store the tenfold value).
const QMap<QString, ModeRule> &modeRules()
{
    static const QStringList cutM4 = { QStringLiteral("Schnittdauer"), QStringLiteral("Schnittintervall") };
    static const QMap<QString, ModeRule> rules = {
        { QStringLiteral("CUT_M1"), { 1, 100, {} } },
        { QStringLiteral("CUT_M2"), { 1, 100, { QStringLiteral("miC") } } },
        { QStringLiteral("CUT_M3"), { 1, 100, {} } },
        { QStringLiteral("CUT_M4"), { 1, 4, cutM4 } },
        { QStringLiteral("CUT_M5"), { 1, 4, cutM4 } },
        { QStringLiteral("CUT_M6"), { 1, 100, {} } },
        { QStringLiteral("CUT_M7"), { 1, 10, {} } },
        { QStringLiteral("CUT_M8"), { 1, 1, {} } },
        { QStringLiteral("COAG_M1"), { 1, 100, {} } },
        { QStringLiteral("COAG_M2"), { 1, 100, { QStringLiteral("APP") } } },
        { QStringLiteral("COAG_M3"), { 1, 100, {} } },
        { QStringLiteral("COAG_M4"), { 1, 100, {} } },
        { QStringLiteral("COAG_M5"), { 1, 100, {} } },
        { QStringLiteral("COAG_M6"), { 1, 100, {} } },
        { QStringLiteral("COAG_M7"), { 1, 2, {} } },
        { QStringLiteral("COAG_M8"), { 1, 4, { QStringLiteral("Modulation") } } },
        { QStringLiteral("COAG_M9"), { 1, 100, {} } },
        { QStringLiteral("COAG_M10"), { 1, 10, {} } },
        { QStringLiteral("COAG_M11"), { 1, 100, { QStringLiteral("Fast") } } },
        { QStringLiteral("COAG_M12"), { 1, 100, { QStringLiteral("APP") } } },
        { QStringLiteral("COAG_M13"), { 1, 10, {} } },
        { QStringLiteral("COAG_M14"), { 1, 100, {} } },
        { QStringLiteral("COAG_M15"), { 1, 4, {} } },
    };
    return rules;
}

struct InstrumentType
{
    QString dataSet;
    bool monopolar = true;
    bool gas = false;
    QStringList cutModes;
    QStringList coagModes;
    QString parent;
};

QMap<QString, InstrumentType> loadInstrumentTypes()
{
    QMap<QString, InstrumentType> types;
    QSettings ini(sourceData(QStringLiteral("instrument-types.ini")), QSettings::IniFormat);
    for (const QString &group : ini.childGroups()) {
        ini.beginGroup(group);
        InstrumentType type;
        type.dataSet = ini.value(QStringLiteral("Datensatznummer")).toString();
        type.monopolar = ini.value(QStringLiteral("Modepolaritaet"), QStringLiteral("Monopolar")).toString()
            == QLatin1String("Monopolar");
        type.gas = ini.value(QStringLiteral("Gaskanal")).toString() == QLatin1String("EIN");
        type.cutModes = ini.value(QStringLiteral("CutModes")).toStringList();
        type.coagModes = ini.value(QStringLiteral("CoagModes")).toStringList();
        type.parent = ini.value(QStringLiteral("SubinstrumentVon")).toString();
        types.insert(group, type);
        ini.endGroup();
    }
    return types;
}

/// Walks the instruments of one user set and collects every rule it breaks.

class InstrumentChecker
{
public:
    InstrumentChecker(const QMap<QString, InstrumentType> &types, bool autostartAllowed)
        : m_types(types)
        , m_autostartAllowed(autostartAllowed)
    {
    }

    QStringList problems;

    void check(const QDomElement &instrument, const QString &where)
    {
        const QString wireType = instrument.attribute(QStringLiteral("Typ"));
        const QString dataSet = instrument.attribute(QStringLiteral("Datensatznummer"));
        // Data-set 138 travels under the name of the plain argon probe.
        QString type = wireType;
        if (dataSet == QLatin1String("138")) {
            type = QStringLiteral("HybridVex");
            if (wireType != QLatin1String("APC_Sonde"))
                fail(where, QStringLiteral("data-set 138 must be written with type APC_Sonde"));
        }
        if (!m_types.contains(type) || m_types.value(type).dataSet != dataSet) {
            fail(where, QStringLiteral("type %1 with data-set %2 is not in instrument-types.ini").arg(type, dataSet));
            return;
        }
        if (instrument.attribute(QStringLiteral("Name")).isEmpty())
            fail(where, QStringLiteral("instrument without a name"));
        for (const char *pump : { "EVX", "IRX" }) {
            const QDomElement e = instrument.firstChildElement(QLatin1String(pump));
            if (e.isNull() || !isWholeNumber(e.attribute(QStringLiteral("OPAbsaugrate")), 0, 100)
                || !isOnOff(e.attribute(QStringLiteral("EinAus"))))
                fail(where, QStringLiteral("missing or bad %1").arg(QLatin1String(pump)));
        }
        const QList<QDomElement> coags = childElements(instrument, QStringLiteral("Coag"));
        const QList<QDomElement> cuts = childElements(instrument, QStringLiteral("Cut"));
        if (coags.size() != 1 || cuts.size() != 1) {
            fail(where, QStringLiteral("needs exactly one Coag and one Cut"));
            return;
        }
        const InstrumentType &definition = m_types[type];
        checkActivation(coags.first(), cuts.first(), definition, where);
        checkSide(coags.first(), definition, dataSet, false, where + QStringLiteral("/Coag"));
        checkSide(cuts.first(), definition, dataSet, true, where + QStringLiteral("/Cut"));
        for (const QDomElement &side : { coags.first(), cuts.first() }) {
            for (const QDomElement &sub : childElements(side, QStringLiteral("SubInstrument"))) {
                const QString subType = typeOfDataSet(sub.attribute(QStringLiteral("Datensatznummer")));
                const QString subWhere = where + QStringLiteral("/SubInstrument ") + subType;
                if (subType.isEmpty() || m_types.value(subType).parent != type) {
                    fail(subWhere, QStringLiteral("is no sub-instrument of %1").arg(type));
                    continue;
                }
                checkSide(sub, m_types[subType], sub.attribute(QStringLiteral("Datensatznummer")),
                    side.tagName() == QLatin1String("Cut"), subWhere);
            }
        }
        const QDomElement alias = instrument.firstChildElement(QStringLiteral("Alias"));
        if (!alias.isNull()
            && (!m_types.contains(alias.attribute(QStringLiteral("Typ")))
                || alias.attribute(QStringLiteral("Name")).isEmpty()))
            fail(where, QStringLiteral("alias needs a known type and a name"));
    }

private:
    static bool isOnOff(const QString &text) { return text == QLatin1String("EIN") || text == QLatin1String("AUS"); }

    void fail(const QString &where, const QString &what) { problems << where + QStringLiteral(": ") + what; }

    QString typeOfDataSet(const QString &dataSet) const
    {
        for (auto it = m_types.begin(); it != m_types.end(); ++it) {
            if (it.value().dataSet == dataSet)
                return it.key();
        }
        return QString();
    }

    void checkActivation(
        const QDomElement &coag, const QDomElement &cut, const InstrumentType &definition, const QString &where)
    {
        static const QSet<QString> pairs
            = { QStringLiteral("AUS/SINGLE"), QStringLiteral("AUS/DOUBLE"), QStringLiteral("DOUBLE/AUS"),
                  QStringLiteral("DOUBLE/SINGLE"), QStringLiteral("DOUBLE/DOUBLE"), QStringLiteral("AUS/AUTOSTART") };
        static const QStringList autostartModes = { QStringLiteral("COAG_AUS"), QStringLiteral("COAG_M7"),
            QStringLiteral("COAG_M12"), QStringLiteral("COAG_M14") };
        static const QStringList autostopModes = { QStringLiteral("COAG_AUS"), QStringLiteral("COAG_M2"),
            QStringLiteral("COAG_M3"), QStringLiteral("COAG_M12"), QStringLiteral("COAG_M14") };
        const QString cutSource = cut.attribute(QStringLiteral("Aktivierungsquelle"));
        const QString coagSource = coag.attribute(QStringLiteral("Aktivierungsquelle"));
        const QString coagMode = coag.attribute(QStringLiteral("SelektierterMode"));
        // Every demo instrument can be activated somehow.
        if (!pairs.contains(cutSource + QLatin1Char('/') + coagSource))
            fail(where, QStringLiteral("activation %1/%2 has no meaning").arg(cutSource, coagSource));
        if (coagSource == QLatin1String("AUTOSTART")) {
            if (!autostartModes.contains(coagMode) || definition.monopolar || !m_autostartAllowed)
                fail(where, QStringLiteral("autostart is not possible with %1 here").arg(coagMode));
            if (cut.attribute(QStringLiteral("SelektierterMode")) != QLatin1String("CUT_AUS"))
                fail(where, QStringLiteral("autostart switches cutting off"));
        }
        const QString autostop = coag.attribute(QStringLiteral("Autostop"));
        if (!isOnOff(autostop) || (autostop == QLatin1String("EIN") && !autostopModes.contains(coagMode)))
            fail(where, QStringLiteral("autostop %1 is not possible with %2").arg(autostop, coagMode));
    }

    void checkSide(const QDomElement &side, const InstrumentType &definition, const QString &dataSet, bool cut,
        const QString &where)
    {
        const QString off = cut ? QStringLiteral("CUT_AUS") : QStringLiteral("COAG_AUS");
        const QStringList allowed = (cut ? definition.cutModes : definition.coagModes) + QStringList { off };
        if (side.attribute(QStringLiteral("Datensatznummer")) != dataSet)
            fail(where, QStringLiteral("data-set differs from the instrument's"));
        const QString selected = side.attribute(QStringLiteral("SelektierterMode"));
        if (!allowed.contains(selected))
            fail(where, QStringLiteral("selected mode %1 is not offered by the type").arg(selected));
        if (side.hasAttribute(QStringLiteral("Flow"))
            && (!definition.gas || !isWholeNumber(side.attribute(QStringLiteral("Flow")), 1, 80)))
            fail(where,
                QStringLiteral("flow %1 without a gas channel or out of 0.1-8.0 l/min")
                    .arg(side.attribute(QStringLiteral("Flow"))));
        const QList<QDomElement> modeLists = childElements(side, QStringLiteral("Modes"));
        if (modeLists.size() != 1) {
            fail(where, QStringLiteral("needs exactly one Modes"));
            return;
        }
        QStringList listed;
        for (const QDomElement &mode : childElements(modeLists.first(), QStringLiteral("Mode"))) {
            const QString name = mode.attribute(QStringLiteral("Name"));
            listed << name;
            if (!allowed.contains(name))
                fail(where, QStringLiteral("mode %1 is not offered by the type").arg(name));
            else
                checkMode(mode, where + QLatin1Char('/') + name);
        }
        if (!listed.contains(selected))
            fail(where, QStringLiteral("selected mode %1 has no Mode entry").arg(selected));
    }

    void checkMode(const QDomElement &mode, const QString &where)
    {
        const QString name = mode.attribute(QStringLiteral("Name"));
        const QDomNamedNodeMap attributes = mode.attributes();
        QStringList present;
        for (int i = 0; i < attributes.count(); ++i)
            present << attributes.item(i).nodeName();
        if (name.endsWith(QLatin1String("_AUS"))) {
            if (mode.attribute(QStringLiteral("Effekt")) != QLatin1String("0") || present.size() != 2)
                fail(where, QStringLiteral("an off mode carries only the effect 0"));
            return;
        }
        const ModeRule rule = modeRules().value(name);
        QStringList expected = QStringList { QStringLiteral("Name"), QStringLiteral("Effekt") } + rule.extras;
        present.sort();
        expected.sort();
        if (present != expected)
            fail(where, QStringLiteral("parameters %1, expected %2").arg(present.join(','), expected.join(',')));
        if (!isWholeNumber(mode.attribute(QStringLiteral("Effekt")), rule.low, rule.high))
            fail(where,
                QStringLiteral("effect %1 outside %2-%3")
                    .arg(mode.attribute(QStringLiteral("Effekt")))
                    .arg(rule.low)
                    .arg(rule.high));
        for (const char *flag : { "APP", "Fast", "miC" }) {
            if (mode.hasAttribute(QLatin1String(flag)) && !isOnOff(mode.attribute(QLatin1String(flag))))
                fail(where, QStringLiteral("%1 is neither EIN nor AUS").arg(QLatin1String(flag)));
        }
        if (mode.hasAttribute(QStringLiteral("Schnittdauer"))
            && (!isWholeNumber(mode.attribute(QStringLiteral("Schnittdauer")), 1, 4)
                || !isWholeNumber(mode.attribute(QStringLiteral("Schnittintervall")), 1, 10)))
            fail(where, QStringLiteral("cut duration or interval out of range"));
        if (mode.hasAttribute(QStringLiteral("Modulation"))) {
            const int modulation = mode.attribute(QStringLiteral("Modulation")).toInt();
            if (modulation < 5 || modulation > 300 || modulation % 5 != 0)
                fail(where, QStringLiteral("modulation out of range"));
        }
    }

    const QMap<QString, InstrumentType> &m_types;
    const bool m_autostartAllowed;
};

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

} // namespace

class tst_DemoUserSets : public QObject
{
    Q_OBJECT

private slots:
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

    void userSetInstruments_data() { addUserSetRows(); }
    void userSetInstruments()
    {
        QFETCH(QString, path);
        const QMap<QString, InstrumentType> types = loadInstrumentTypes();
        QVERIFY(types.size() >= 10);
        QDomDocument document;
        QVERIFY(loadDom(path, document).isEmpty());
        const QDomElement root = document.documentElement();
        const bool autostart
            = root.firstChildElement(QStringLiteral("Setup")).attribute(QStringLiteral("AutostartErlaubt"))
            == QLatin1String("EIN");
        InstrumentChecker checker(types, autostart);
        int instruments = 0;
        for (const QDomElement &group : childElements(root, QStringLiteral("Programmgruppe"))) {
            for (const QDomElement &program : childElements(group, QStringLiteral("Programm"))) {
                for (const QDomElement &level : childElements(program, QStringLiteral("Ebene"))) {
                    for (const QDomElement &instrument : childElements(level, QStringLiteral("Instrument"))) {
                        checker.check(instrument,
                            QStringLiteral("%1/%2/%3/%4")
                                .arg(group.attribute(QStringLiteral("Name")), program.attribute(QStringLiteral("Name")),
                                    level.attribute(QStringLiteral("Name")),
                                    instrument.attribute(QStringLiteral("Name"))));
                        ++instruments;
                    }
                }
            }
        }
        QVERIFY(instruments > 0);
        QVERIFY2(checker.problems.isEmpty(), qPrintable(checker.problems.join(QLatin1Char('\n'))));
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
