#include "KelvaraTest.h"

#include "UserRoles.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QProcess>
#include <QtCore/QRandomGenerator>
#include <QtCore/QRegularExpression>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtCore/QVersionNumber>
#include <QtXml/QDomDocument>

#include <zip.h>

// Structural checks of the demo data that the simulated generator and server
// serve. The rules below are written from the file formats, independently of
// the authoring scripts and of kelvara-tool, so that a generator fault shows.

namespace {

QString sourceData(const QString &relative = QString())
{
    return QStringLiteral(KELVARA_SOURCE_DIR "/tools/simulators/data/") + relative;
}

QString builtData(const QString &relative = QString())
{
    return QStringLiteral(KELVARA_DEMO_DATA_DIR "/") + relative;
}

const QString kBuiltinCentres
    = QStringLiteral("Resources/Config/kelvara_contact_ServiceCenterList_210215_000000_V120.xml");
const QString kFlexStem = QStringLiteral("23104711_231024_081533");

QStringList filesIn(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({ pattern }, QDir::Files, QDir::Name);
}

QString loadDom(const QString &path, QDomDocument &document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open %1").arg(path);
    QString message;
    int line = 0;
    if (!document.setContent(&file, &message, &line))
        return QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(message);
    return QString();
}

QList<QDomElement> childElements(const QDomElement &parent, const QString &name)
{
    QList<QDomElement> list;
    for (QDomElement e = parent.firstChildElement(name); !e.isNull(); e = e.nextSiblingElement(name))
        list.append(e);
    return list;
}

/// A device time stamp ("yyMMdd" and a time) read as UTC, so that no local
/// clock change can make it invalid.
QDateTime utcStamp(const QString &date, const QString &time, const QString &timeFormat = QStringLiteral("HHmmss"))
{
    return QDateTime(QDate::fromString(QStringLiteral("20") + date, QStringLiteral("yyyyMMdd")),
        QTime::fromString(time, timeFormat), Qt::UTC);
}

/// Runs kelvara-tool; returns its exit code, or -1 when it did not finish.
int runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KELVARA_TOOL_PATH), arguments);
    if (!process.waitForFinished(KelvaraTest::timeout(60000)))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// --- chrono event log -------------------------------------------------------

/// Accepted field counts per record keyword; an empty list accepts any count.
const QMap<QByteArray, QList<int>> &recordCatalogue()
{
    static const QMap<QByteArray, QList<int>> catalogue = {
        { "UNDEFINED", {} },
        { "NOTE_MSG", { 7 } },
        { "HF_STA", { 9, 10, 11 } },
        { "APC_STA", { 3 } },
        { "EVX_STA", { 3 } },
        { "HF_STO", { 11 } },
        { "ERR_MSG", { 4, 7 } },
        { "NEW_SOC", { 4 } },
        { "UI_WLAN", { 4 } },
        { "UI_APCFLOW", { 6 } },
        { "UI_EVXFLOW", { 4 } },
        { "P_ON", { 2 } },
        { "P_OFF", { 2 } },
        { "L_RESET", { 2 } },
        { "UI_CUTMODE", { 5 } },
        { "UI_CUTEFFEKT", { 5 } },
        { "UI_COAGMODE", { 5 } },
        { "UI_COAGEFFEKT", { 5 } },
        { "UI_AKTI", { 5 } },
        { "UI_INFO", { 5 } },
        { "UI_EXCEPTION", { 4 } },
        { "UI_PEDAL", { 4 } },
        { "UI_NOTE", {} },
        { "UI_CUTM4DAUER", { 5 } },
        { "UI_CUTM4INTERVAL", { 5 } },
        { "NM_TELE1", { 6 } },
        { "NM_TELE2", { 6 } },
        { "PODED", {} },
    };
    return catalogue;
}

struct FlexSummary
{
    QByteArray header;
    int records = 0;
    int malformed = 0;
    QSet<QByteArray> kinds; // "KEYWORD/fields", or "KEYWORD/any" for free-length kinds
    QStringList problems;
};

FlexSummary summarise(const QByteArray &text)
{
    FlexSummary summary;
    QList<QByteArray> lines = text.split('\n');
    if (!text.endsWith('\n'))
        summary.problems << QStringLiteral("the file does not end with a line feed");
    lines.removeLast();
    if (lines.isEmpty())
        return summary;
    summary.header = lines.takeFirst();
    QDateTime previous;
    for (int i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).split(';');
        const QString where = QStringLiteral("record %1").arg(i + 1);
        ++summary.records;
        if (fields.size() < 2) {
            summary.problems << where + QStringLiteral(": fewer than two fields");
            continue;
        }
        const QByteArray &keyword = fields.at(0);
        if (!recordCatalogue().contains(keyword)) {
            summary.problems << where + QStringLiteral(": unknown keyword ") + QString::fromLatin1(keyword);
            continue;
        }
        const QList<int> counts = recordCatalogue().value(keyword);
        if (counts.isEmpty())
            summary.kinds.insert(keyword + "/any");
        else if (counts.contains(int(fields.size())))
            summary.kinds.insert(keyword + '/' + QByteArray::number(fields.size()));
        else
            ++summary.malformed;

        const QString stamp = QString::fromLatin1(fields.at(1));
        QDateTime time;
        if (stamp.size() > 10 && stamp.at(10) == QLatin1Char('T'))
            time = QDateTime(QDate::fromString(stamp.left(10), Qt::ISODate),
                QTime::fromString(stamp.mid(11), Qt::ISODateWithMs), Qt::UTC);
        else if (stamp.size() == 16)
            time = utcStamp(stamp.left(6), stamp.mid(7), QStringLiteral("HHmmsszzz"));
        if (!time.isValid()) {
            summary.problems << where + QStringLiteral(": unreadable time stamp ") + stamp;
            continue;
        }
        if (previous.isValid() && time < previous)
            summary.problems << where + QStringLiteral(": time runs backwards");
        previous = time;
    }
    return summary;
}

void addKindRows()
{
    QTest::addColumn<QByteArray>("kind");
    for (auto it = recordCatalogue().begin(); it != recordCatalogue().end(); ++it) {
        if (it.value().isEmpty()) {
            QTest::newRow(qPrintable(QString::fromLatin1(it.key()) + QStringLiteral(" of any length")))
                << QByteArray(it.key() + "/any");
        }
        for (int count : it.value()) {
            QTest::newRow(qPrintable(QStringLiteral("%1 with %2 fields").arg(QString::fromLatin1(it.key())).arg(count)))
                << QByteArray(it.key() + '/' + QByteArray::number(count));
        }
    }
}

// --- user sets --------------------------------------------------------------

struct ModeRule
{
    bool decimal;
    int low;
    int high;
    QStringList extras;
};

/// Parameters of each mode entry and the range of its effect (decimal modes
/// store the tenfold value).
const QMap<QString, ModeRule> &modeRules()
{
    static const QStringList cutM4 = { QStringLiteral("Schnittdauer"), QStringLiteral("Schnittintervall") };
    static const QMap<QString, ModeRule> rules = {
        { QStringLiteral("CUT_M1"), { true, 1, 100, {} } },
        { QStringLiteral("CUT_M2"), { true, 1, 100, { QStringLiteral("miC") } } },
        { QStringLiteral("CUT_M3"), { true, 1, 100, {} } },
        { QStringLiteral("CUT_M4"), { false, 1, 4, cutM4 } },
        { QStringLiteral("CUT_M5"), { false, 1, 4, cutM4 } },
        { QStringLiteral("CUT_M6"), { true, 1, 100, {} } },
        { QStringLiteral("CUT_M7"), { false, 1, 10, {} } },
        { QStringLiteral("CUT_M8"), { false, 1, 1, {} } },
        { QStringLiteral("COAG_M1"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M2"), { true, 1, 100, { QStringLiteral("APP") } } },
        { QStringLiteral("COAG_M3"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M4"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M5"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M6"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M7"), { false, 1, 2, {} } },
        { QStringLiteral("COAG_M8"), { false, 1, 4, { QStringLiteral("Modulation") } } },
        { QStringLiteral("COAG_M9"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M10"), { false, 1, 10, {} } },
        { QStringLiteral("COAG_M11"), { true, 1, 100, { QStringLiteral("Fast") } } },
        { QStringLiteral("COAG_M12"), { true, 1, 100, { QStringLiteral("APP") } } },
        { QStringLiteral("COAG_M13"), { false, 1, 10, {} } },
        { QStringLiteral("COAG_M14"), { true, 1, 100, {} } },
        { QStringLiteral("COAG_M15"), { false, 1, 4, {} } },
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

bool isWholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high;
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

QString identityValue(const QString &key)
{
    QSettings identity(sourceData(QStringLiteral("generator/identity.ini")), QSettings::IniFormat);
    return identity.value(QStringLiteral("Device/") + key).toString();
}

QSet<QString> serviceCenterIds(const QString &path)
{
    QSet<QString> ids;
    QDomDocument document;
    if (!loadDom(path, document).isEmpty())
        return ids;
    for (const QDomElement &centre : childElements(document.documentElement(), QStringLiteral("ServiceCenter")))
        ids.insert(centre.attribute(QStringLiteral("ServiceCenterId")));
    return ids;
}

} // namespace

class tst_DemoData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile flex(builtData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".flex")));
        QVERIFY2(flex.open(QIODevice::ReadOnly), "the generated event log is missing; build kelvara_demodata");
        m_flex = flex.readAll();
        m_summary = summarise(m_flex);
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
        // The application turns every "esb" of the name into "esc" to find the container.
        QVERIFY(!stem.contains(QLatin1String("esb")) && !stem.contains(QLatin1String("esc")));
        const QStringList parts = stem.split(QLatin1Char('_'));
        QVERIFY2(parts.size() >= 9, "the update list shows the version only for names of nine parts");
        const QString shownVersion
            = parts.at(3) + QLatin1Char('.') + parts.at(4) + QLatin1Char('.') + parts.at(5) + parts.at(6);

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

    void flexIsLargeAndWellFormed()
    {
        QVERIFY2(m_summary.problems.isEmpty(), qPrintable(m_summary.problems.mid(0, 20).join(QLatin1Char('\n'))));
        QVERIFY(m_summary.header.startsWith("#CHRONO_FLEX;"));
        QVERIFY(m_summary.records >= 10000);
        QVERIFY(m_summary.header.contains(";RECORDS=" + QByteArray::number(m_summary.records) + ';'));
        // Damaged records exist, but as rare exceptions.
        QVERIFY(m_summary.malformed > 0);
        QVERIFY(m_summary.malformed * 1000 < m_summary.records);
    }

    void flexCoversEveryRecordKind_data() { addKindRows(); }
    void flexCoversEveryRecordKind()
    {
        QFETCH(QByteArray, kind);
        QVERIFY(m_summary.kinds.contains(kind));
    }

    void flexGenerator_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("allKinds");
        const int kinds = int(recordCatalogue().size()) + 3; // HF_STA has three lengths, ERR_MSG two
        QTest::newRow("one record") << 1 << false;
        QTest::newRow("one below every kind") << kinds - 1 << false;
        QTest::newRow("exactly every kind") << kinds << true;
        QTest::newRow("one above every kind") << kinds + 1 << true;
        QTest::newRow("a working day") << 800 << true;
    }
    void flexGenerator()
    {
        QFETCH(int, records);
        QFETCH(bool, allKinds);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("a.flex"));
        const QString second = dir.filePath(QStringLiteral("b.flex"));
        const QString count = QString::number(records);
        QCOMPARE(
            runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), first, count, QStringLiteral("99") }), 0);
        QCOMPARE(
            runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), second, count, QStringLiteral("99") }), 0);
        const QByteArray text = KelvaraTest::readFile(first);
        QCOMPARE(KelvaraTest::readFile(second), text);
        const FlexSummary summary = summarise(text);
        QVERIFY2(summary.problems.isEmpty(), qPrintable(summary.problems.join(QLatin1Char('\n'))));
        QCOMPARE(summary.records, records);
        int expectedKinds = 0;
        for (const QList<int> &counts : recordCatalogue())
            expectedKinds += qMax(1, int(counts.size()));
        QCOMPARE(summary.kinds.size() == expectedKinds, allKinds);
    }

    void flexSampleMatchesGenerator()
    {
        const QStringList samples = filesIn(sourceData(QStringLiteral("samples")), QStringLiteral("*.flex"));
        QCOMPARE(samples.size(), 1);
        const QByteArray sample = KelvaraTest::readFile(sourceData(QStringLiteral("samples/") + samples.first()));
        const QRegularExpression arguments(QStringLiteral(";RECORDS=(\\d+);SEED=(\\d+)\n"));
        const QRegularExpressionMatch match
            = arguments.match(QString::fromLatin1(sample.left(sample.indexOf('\n') + 1)));
        QVERIFY(match.hasMatch());
        QTemporaryDir dir;
        const QString regenerated = dir.filePath(QStringLiteral("sample.flex"));
        QCOMPARE(runTool({ QStringLiteral("demo"), QStringLiteral("chrono-flex"), regenerated, match.captured(1),
                     match.captured(2) }),
            0);
        QCOMPARE(KelvaraTest::readFile(regenerated), sample);
    }

    void flexZipHoldsTheLog()
    {
        const QString path = builtData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".flex.zip"));
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
        QVERIFY2(archive, qPrintable(path));
        const zip_int64_t entries = zip_get_num_entries(archive, 0);
        zip_stat_t stat;
        zip_stat_init(&stat);
        const bool statted = entries == 1 && zip_stat_index(archive, 0, 0, &stat) == 0;
        QByteArray content(statted ? qsizetype(stat.size) : 0, '\0');
        zip_file_t *file = statted ? zip_fopen_index(archive, 0, 0) : nullptr;
        const zip_int64_t read = file ? zip_fread(file, content.data(), zip_uint64_t(content.size())) : -1;
        if (file)
            zip_fclose(file);
        // The entry name belongs to the archive.
        const QString name = statted ? QString::fromUtf8(stat.name) : QString();
        zip_close(archive);
        QCOMPARE(entries, zip_int64_t(1));
        QVERIFY(statted);
        QCOMPARE(name, kFlexStem + QStringLiteral(".flex"));
        QCOMPARE(stat.comp_method, zip_uint16_t(ZIP_CM_DEFLATE));
        QVERIFY(stat.comp_size < stat.size / 2);
        QCOMPARE(read, zip_int64_t(content.size()));
        QCOMPARE(content, m_flex);
    }

    void fixFile_data()
    {
        QTest::addColumn<QString>("line");
        const QByteArray text = KelvaraTest::readFile(
            sourceData(QStringLiteral("generator/chrono/") + kFlexStem + QStringLiteral(".fix")));
        QVERIFY(!text.isEmpty());
        int number = 0;
        for (const QByteArray &line : text.split('\n')) {
            ++number;
            if (!line.isEmpty())
                QTest::newRow(qPrintable(
                    QStringLiteral("line %1 %2").arg(number).arg(QString::fromLatin1(line.left(line.indexOf(';'))))))
                    << QString::fromUtf8(line);
        }
    }
    void fixFile()
    {
        QFETCH(QString, line);
        static const QSet<QString> modeKeys = { QStringLiteral("QELOMODE_CUT_AUS"), QStringLiteral("QELOMODE_COAG_AUS"),
            QStringLiteral("QELOMODE_CUT_M1"), QStringLiteral("QELOMODE_CUT_M2"), QStringLiteral("QELOMODE_CUT_M3"),
            QStringLiteral("QELOMODE_CUT_M6"), QStringLiteral("cutM3_bipolar"), QStringLiteral("cutM4_I"),
            QStringLiteral("cutM4_Q"), QStringLiteral("coagM5"), QStringLiteral("coagM1"), QStringLiteral("coagM2"),
            QStringLiteral("coagM3"), QStringLiteral("coagM4"), QStringLiteral("coagM2_bipolar"),
            QStringLiteral("coagM3_bipolar"), QStringLiteral("coagM7"), QStringLiteral("coagM6"),
            QStringLiteral("coagM9"), QStringLiteral("coagM10"), QStringLiteral("coagM11") };
        const QStringList fields = line.split(QLatin1Char(';'));
        const QString key = fields.first();
        auto isCount = [](const QString &text) { return isWholeNumber(text, 0, 100000000); };
        if (key == QLatin1String("SPI")) {
            QCOMPARE(fields.size(), 4);
            QVERIFY(utcStamp(fields.at(1).left(6), fields.at(1).mid(7, 6)).isValid());
            QCOMPARE(fields.at(1), kFlexStem.mid(kFlexStem.indexOf(QLatin1Char('_')) + 1));
            QCOMPARE(fields.at(2), identityValue(QStringLiteral("SerialNumber")));
            QCOMPARE(fields.at(3), identityValue(QStringLiteral("Type")));
        } else if (key == QLatin1String("SYS_VER")) {
            QCOMPARE(fields.size(), 2);
            QCOMPARE(fields.at(1), identityValue(QStringLiteral("SoftwareVersion")));
        } else if (key == QLatin1String("HFMC_TOT") || key == QLatin1String("HFMT_TOT")
            || key == QLatin1String("HFME_TOT")) {
            QCOMPARE(fields.size(), 3);
            // The device writes blanks where the mode key has underscores.
            QVERIFY2(modeKeys.contains(QString(fields.at(1)).replace(QLatin1Char(' '), QLatin1Char('_'))),
                qPrintable(fields.at(1)));
            QVERIFY(isCount(fields.at(2)));
        } else if (key == QLatin1String("SOC_CNT")) {
            QCOMPARE(fields.size(), 4);
            QVERIFY(isWholeNumber(fields.at(1), 1, 6));
            QVERIFY(isCount(fields.at(2)) && isCount(fields.at(3)));
        } else {
            static const QSet<QString> totals = { QStringLiteral("SON_TOT"), QStringLiteral("HFT_TOT"),
                QStringLiteral("HFE_TOT"), QStringLiteral("APCT_TOT"), QStringLiteral("EVXT_TOT") };
            QVERIFY2(totals.contains(key), qPrintable(key));
            QCOMPARE(fields.size(), 2);
            QVERIFY(isCount(fields.at(1)));
        }
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
    FlexSummary m_summary;
};

KELVARA_TEST_GUILESS_MAIN(tst_DemoData)

#include "tst_demodata.moc"
