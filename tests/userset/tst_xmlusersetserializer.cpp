#include "KelvaraTest.h"
#include "UserSetTestData.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "MaximalUserSet.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetSerializer.h"

#include <QtCore/QFile>
#include <QtCore/QMetaEnum>
#include <QtCore/QRandomGenerator>
#include <QtCore/QSet>
#include <QtXml/QDomDocument>

#include <memory>

namespace {

const QByteArray kModes = "<Modes><Mode Name=\"COAG_AUS\"/></Modes>";

QByteArray instrumentXml(const QByteArray &attributes, const QByteArray &children = QByteArray())
{
    return "<Instrument " + attributes + ">" + children + "</Instrument>\n";
}

} // namespace

class tst_XmlUserSetSerializer : public QObject
{
    Q_OBJECT

private:
    XmlUserSetSerializer m_serializer;

    std::unique_ptr<UserSet> read(const QByteArray &data)
    {
        return std::unique_ptr<UserSet>(m_serializer.readData(data, UserSet::GENERAL_TEMPLATE));
    }

    static Instrument *firstInstrument(const UserSet *set)
    {
        return set ? set->programGroups().first()->programs().first()->levels().first()->instruments().value(0)
                   : nullptr;
    }

    /// The one instrument of a minimal document, read back.
    std::unique_ptr<UserSet> readInstrument(const QByteArray &instrument, Instrument **result)
    {
        auto set = read(UserSetTestData::minimalDocument(instrument));
        *result = firstInstrument(set.get());
        return set;
    }

    static QString attributeOf(const QByteArray &xml, const QString &element, const QString &attribute, int index = 0)
    {
        QDomDocument document;
        if (!document.setContent(xml))
            return QStringLiteral("<unparsable>");
        const QDomNodeList nodes = document.elementsByTagName(element);
        const QDomElement node = nodes.item(index < 0 ? nodes.count() + index : index).toElement();
        return node.hasAttribute(attribute) ? node.attribute(attribute) : QStringLiteral("<missing>");
    }

private slots:
    void initTestCase()
    {
        KelvaraTest::initializeLogger();
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
    }
    void init() { InstrumentConfiguration::instance()->setUserInterfaceLanguage(QStringLiteral("en")); }

    void minimalDocumentLoads()
    {
        auto set = read(UserSetTestData::minimalDocument());
        QVERIFY(set);
        QCOMPARE(set->loadState(), 2);
        QCOMPARE(set->device(UserSet::DeviceTyp), QStringLiteral("QELO3"));
        QCOMPARE(set->setup(UserSet::Sprache), QStringLiteral("en"));
        QCOMPARE(set->setup(UserSet::SpeichernVonProgrammenZugelassen), QStringLiteral("EIN"));
        QCOMPARE(set->setup(UserSet::ApcDruckBeiVollerFlasche), QStringLiteral("200"));
        QCOMPARE(set->programGroups().first()->pictogramIdentifier(), QStringLiteral("GYN"));
    }

    void structureRules_data()
    {
        const QByteArray device
            = "<Geraet Name=\"Q\" Typ=\"QELO3\" Seriennummer=\"1\" Softwareversion=\"1\" NaechsteSTK=\"x\"/>\n";
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("loads");
        QTest::newRow("two Geraet fail") << UserSetTestData::minimalDocument({}, QByteArray(), device) << false;
        QByteArray noDevice = UserSetTestData::minimalDocument();
        noDevice.replace(noDevice.indexOf("<Geraet"),
            noDevice.indexOf("/>", noDevice.indexOf("<Geraet")) + 2 - noDevice.indexOf("<Geraet"), "");
        QTest::newRow("no Geraet fails") << noDevice << false;
        QByteArray emptyType = UserSetTestData::minimalDocument();
        emptyType.replace("Typ=\"QELO3\"", "Typ=\"\"");
        QTest::newRow("Geraet with empty Typ fails") << emptyType << false;
        QByteArray noSerial = UserSetTestData::minimalDocument();
        noSerial.replace("Seriennummer=\"1\"", "");
        QTest::newRow("Geraet without serial number fails") << noSerial << false;
        QByteArray noVolume = UserSetTestData::minimalDocument();
        noVolume.replace("<Lautstaerke System=\"1\" Aktivierung=\"2\" Taste=\"3\" Gesamt=\"4\"/>", "");
        QTest::newRow("Setup without Lautstaerke fails") << noVolume << false;
        QByteArray twoSetups = UserSetTestData::minimalDocument();
        const int setupAt = int(twoSetups.indexOf("<Setup"));
        const QByteArray setupElement = twoSetups.mid(setupAt, twoSetups.indexOf("</Setup>") + 8 - setupAt);
        twoSetups.insert(setupAt, setupElement);
        QTest::newRow("two Setup fail") << twoSetups << false;
        QByteArray emptyRequired = UserSetTestData::minimalDocument();
        emptyRequired.replace("MaximaleAktivierungsdauer=\"60\"", "MaximaleAktivierungsdauer=\"\"");
        QTest::newRow("empty required setup value fails") << emptyRequired << false;
        QByteArray missingApc = UserSetTestData::minimalDocument();
        missingApc.replace("Spueldauer=\"3\"", "");
        QTest::newRow("APC without purge time fails") << missingApc << false;
        QByteArray unknown = UserSetTestData::minimalDocument(
            {}, QByteArray(), "<Zukunft a=\"1\"><Tief><Tiefer/></Tief>text</Zukunft>\n");
        QTest::newRow("unknown elements are passed over") << unknown << true;
        QByteArray wrapped = "<Huelle>" + UserSetTestData::minimalDocument().mid(39) + "</Huelle>";
        QTest::newRow("wrapping element before AnwenderSet is passed over") << wrapped << true;
        QTest::newRow("no AnwenderSet at all") << QByteArray("<?xml version=\"1.0\"?><Etwas/>") << false;
        QTest::newRow("empty input") << QByteArray() << false;
    }
    void structureRules()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, loads);
        UserSet set(UserSet::USER_TEMPLATE);
        QCOMPARE(m_serializer.readBytes(document, &set), loads);
        QCOMPARE(set.loadState(), loads ? 2 : 0);
        if (!loads) {
            QVERIFY(set.programGroups().isEmpty());
            QVERIFY(!m_serializer.lastError().isEmpty());
        }
    }

    void flowScale_data()
    {
        QTest::addColumn<QByteArray>("flowAttribute");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("written");
        // clang-format off
        QTest::newRow("15 reads 1.5, writes 15") << QByteArray(" Flow=\"15\"") << "1.5" << "15";
        QTest::newRow("1.5 reads as it stands") << QByteArray(" Flow=\"1.5\"") << "1.5" << "15";
        QTest::newRow("0 reads 0.0") << QByteArray(" Flow=\"0\"") << "0.0" << "0";
        QTest::newRow("missing takes the catalogue default") << QByteArray() << "0.5" << "5";
        QTest::newRow("not a number is not written") << QByteArray(" Flow=\"viel\"") << "viel" << "<missing>";
        // clang-format on
    }
    void flowScale()
    {
        QFETCH(QByteArray, flowAttribute);
        QFETCH(QString, model);
        QFETCH(QString, written);
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml("Name=\"A\" Typ=\"APC_Applikator\" Datensatznummer=\"140\"",
                                      "<Coag SelektierterMode=\"COAG_M10\"" + flowAttribute + ">" + kModes + "</Coag>"),
            &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->coag().flow(), model);
        QCOMPARE(attributeOf(m_serializer.toXml(set.get()), QStringLiteral("Coag"), QStringLiteral("Flow")), written);
    }

    void modeDefaults_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("CUT_AUS effect 0") << QByteArray("CUT_AUS") << "Effekt" << "0";
        QTest::newRow("CUT_M1 effect 1") << QByteArray("CUT_M1") << "Effekt" << "1";
        QTest::newRow("cut duration 2") << QByteArray("CUT_M4") << "Schnittdauer" << "2";
        QTest::newRow("cut interval 5") << QByteArray("CUT_M4") << "Schnittintervall" << "5";
        QTest::newRow("miC off") << QByteArray("CUT_M2") << "miC" << "AUS";
        QTest::newRow("modulation from the catalogue by number") << QByteArray("CUT_M4") << "Modulation" << "50";
        // clang-format on
    }
    void modeDefaults()
    {
        QFETCH(QByteArray, mode);
        QFETCH(QString, attribute);
        QFETCH(QString, expected);
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml("Name=\"S\" Typ=\"MonoSchlinge\" Datensatznummer=\"103\"",
                                      "<Cut><Modes><Mode Name=\"" + mode + "\"/></Modes></Cut>"),
            &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->cut().modes().first().attribute(attribute), expected);
        // The cut side is written last, so its mode is the last one.
        QCOMPARE(attributeOf(m_serializer.toXml(set.get()), QStringLiteral("Mode"), attribute, -1), expected);
    }

    void modeWithoutNameFails()
    {
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml("Name=\"S\" Typ=\"MonoSchlinge\" Datensatznummer=\"103\"",
                                      "<Cut><Modes><Mode Effekt=\"3\"/></Modes></Cut>"),
            &instrument);
        QVERIFY(!set);
    }

    void instrumentDefaults()
    {
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml("Name=\"K\" Typ=\"MonoKugel\""), &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->datensatznummer(), QStringLiteral("0"));
        QCOMPARE(instrument->evxRate(), QStringLiteral("60"));
        QVERIFY(!instrument->evxOn());
        QCOMPARE(instrument->irxRate(), QStringLiteral("0"));
        QCOMPARE(instrument->coag().selektierterMode(), QStringLiteral("COAG_AUS"));
        QCOMPARE(instrument->cut().selektierterMode(), QStringLiteral("CUT_AUS"));
        // Missing sides take the type's modes from the catalogue.
        QCOMPARE(instrument->coag().modes().size(), 4);
        QCOMPARE(instrument->coag().modes().at(1).modeName(), QStringLiteral("COAG_M3"));
        // Finger switch of the type gives the hand bit.
        QCOMPARE(instrument->activation(), quint32(Instrument::ActivationHand));

        auto emptyRate = readInstrument(
            instrumentXml("Name=\"K\" Typ=\"MonoKugel\"", "<EVX OPAbsaugrate=\"\" EinAus=\"EIN\"/>"), &instrument);
        QCOMPARE(instrument->evxRate(), QStringLiteral("60"));
        QVERIFY(instrument->evxOn());
    }

    void instrumentTypes_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<QString>("modelType");
        QTest::addColumn<QString>("writtenType");
        QTest::newRow("data-set number 138 is HybridVex, written as APC_Sonde")
            << QByteArray("Name=\"H\" Typ=\"APC_Sonde\" Datensatznummer=\"138\"") << "HybridVex"
            << "APC_Sonde";
        QTest::newRow("138 wins over any Typ")
            << QByteArray("Name=\"H\" Typ=\"Irgendwas\" Datensatznummer=\"138\"") << "HybridVex"
            << "APC_Sonde";
        QTest::newRow("APCapplicator_biegbar renamed")
            << QByteArray("Name=\"A\" Typ=\"APCapplicator_biegbar\" Datensatznummer=\"140\"") << "APC_Applikator"
            << "APC_Applikator";
        QTest::newRow("plain argon probe stays")
            << QByteArray("Name=\"A\" Typ=\"APC_Sonde\" Datensatznummer=\"137\"") << "APC_Sonde"
            << "APC_Sonde";
    }
    void instrumentTypes()
    {
        QFETCH(QByteArray, attributes);
        QFETCH(QString, modelType);
        QFETCH(QString, writtenType);
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml(attributes), &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->instrumentType(), modelType);
        const QByteArray written = m_serializer.toXml(set.get());
        QCOMPARE(attributeOf(written, QStringLiteral("Instrument"), QStringLiteral("Typ")), writtenType);
        auto again = read(written);
        QVERIFY(again);
        QCOMPARE(firstInstrument(again.get())->instrumentType(), modelType);
    }

    void hybridProbeCutsWithItsFirstSubInstrument()
    {
        Instrument *instrument = nullptr;
        auto set = readInstrument(
            instrumentXml("Name=\"HybridVex® Sonde\" Typ=\"APC_Sonde\" Datensatznummer=\"138\"",
                "<Coag Aktivierungsquelle=\"SINGLE\" SelektierterMode=\"COAG_M9\">" + kModes
                    + "<SubInstrument SelektierterMode=\"COAG_M1\" Datensatznummer=\"151\" Flow=\"0\">" + kModes
                    + "</SubInstrument><SubInstrument SelektierterMode=\"COAG_M9\" Datensatznummer=\"152\" "
                      "Flow=\"6\">"
                    + kModes
                    + "</SubInstrument></Coag>"
                      "<Cut Aktivierungsquelle=\"DOUBLE\" SelektierterMode=\"CUT_AUS\" Flow=\"0\">"
                      "<Modes><Mode Name=\"CUT_AUS\"/></Modes>"
                      "<SubInstrument SelektierterMode=\"CUT_M3\" Datensatznummer=\"151\" Flow=\"12\">"
                      "<Modes><Mode Name=\"CUT_M3\" Effekt=\"44\"/></Modes></SubInstrument>"
                      "<SubInstrument SelektierterMode=\"CUT_AUS\" Datensatznummer=\"152\" Flow=\"0\">"
                      "<Modes><Mode Name=\"CUT_AUS\"/></Modes></SubInstrument></Cut>"),
            &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->subInstruments().size(), 2);
        const Instrument *first = instrument->subInstruments().first();
        QCOMPARE(first->instrumentType(), QStringLiteral("HybridVex_Schnitt"));
        QCOMPARE(first->name(), QStringLiteral("HybridVex® cutting"));
        QCOMPARE(first->parentInstrumentId(), instrument->id());
        QCOMPARE(instrument->subInstruments().at(1)->coag().flow(), QStringLiteral("0.6"));
        QCOMPARE(instrument->cut().selektierterMode(), QStringLiteral("CUT_M3"));
        QCOMPARE(instrument->cut().flow(), QStringLiteral("1.2"));
        QCOMPARE(instrument->cut().modes().first().effekt(), QStringLiteral("44"));
        // Its own activation source stays.
        QCOMPARE(instrument->cut().aktivierungsquelle(), QStringLiteral("DOUBLE"));
        QCOMPARE(instrument->activation(), quint32(Instrument::ActivationOneFoot | Instrument::ActivationTwoFootCut));
    }

    void aliasWrittenOnlyWhenComplete_data()
    {
        QTest::addColumn<QByteArray>("alias");
        QTest::addColumn<bool>("written");
        QTest::newRow("complete alias written") << QByteArray("<Alias Typ=\"BiPinzette\" Name=\"Fein\"/>") << true;
        QTest::newRow("empty name not written") << QByteArray("<Alias Typ=\"BiPinzette\" Name=\"\"/>") << false;
        QTest::newRow("empty type not written") << QByteArray("<Alias Typ=\"\" Name=\"Fein\"/>") << false;
    }
    void aliasWrittenOnlyWhenComplete()
    {
        QFETCH(QByteArray, alias);
        QFETCH(bool, written);
        Instrument *instrument = nullptr;
        auto set
            = readInstrument(instrumentXml("Name=\"S\" Typ=\"BiSchere\" Datensatznummer=\"202\"", alias), &instrument);
        QVERIFY(instrument);
        QCOMPARE(m_serializer.toXml(set.get()).contains("<Alias"), written);
    }

    void activationOnTheWire_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("coag");
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<QString>("writtenSource");
        QTest::newRow("autostart kept for bipolar forceps")
            << QByteArray("BiPinzette") << QByteArray("Aktivierungsquelle=\"AUTOSTART\" SelektierterMode=\"COAG_M7\"")
            << 32u << "AUTOSTART";
        QTest::newRow("autostart read as AUS for a prevent-autostart type")
            << QByteArray("ThermoSeal") << QByteArray("Aktivierungsquelle=\"AUTOSTART\" SelektierterMode=\"COAG_M14\"")
            << 0u << "AUS";
        QTest::newRow("autostop EIN in an autostop mode")
            << QByteArray("BiPinzette")
            << QByteArray("Aktivierungsquelle=\"SINGLE\" SelektierterMode=\"COAG_M12\" Autostop=\"EIN\"") << 66u
            << "SINGLE";
    }
    void activationOnTheWire()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, coag);
        QFETCH(quint32, bits);
        QFETCH(QString, writtenSource);
        Instrument *instrument = nullptr;
        auto set = readInstrument(
            instrumentXml("Name=\"X\" Typ=\"" + type + "\"", "<Coag " + coag + ">" + kModes + "</Coag>"), &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->activation(), bits);
        // The writer derives the sources from the bits, not from what was read.
        const QByteArray written = m_serializer.toXml(set.get());
        QCOMPARE(attributeOf(written, QStringLiteral("Coag"), QStringLiteral("Aktivierungsquelle")), writtenSource);
    }

    void wrongInstrumentTypeFailsTheSet()
    {
        Instrument *instrument = nullptr;
        auto set
            = readInstrument(instrumentXml("Name=\"Zauber\" Typ=\"Zauberstab\" Datensatznummer=\"999\""), &instrument);
        QVERIFY(!set);
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("XmlUserSetSerializer::parseInstrument: The instrument Zauber contains a wrong instrument "
                           "Type. This was read from a XML File.")));
    }

    void protectedNames_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("protected form with separator kept") << "en" << "ThermoSeal® Links" << "ThermoSeal® Links";
        QTest::newRow("separator inserted after the protected form") << "en" << "ThermoSeal Links" << "ThermoSeal® Links";
        QTest::newRow("other name replaced by the catalogue name") << "en" << "Versiegler" << "ThermoSeal® vessel sealer";
        QTest::newRow("German catalogue name in German") << "de" << "Versiegler" << "ThermoSeal® Gefäßversiegelung";
        // clang-format on
    }
    void protectedNames()
    {
        QFETCH(QString, language);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        InstrumentConfiguration::instance()->setUserInterfaceLanguage(language);
        Instrument *instrument = nullptr;
        auto set = readInstrument(
            instrumentXml("Name=\"" + name.toUtf8() + "\" Typ=\"ThermoSeal\" Datensatznummer=\"203\""), &instrument);
        QVERIFY(instrument);
        QCOMPARE(instrument->name(), expected);
    }

    void unprotectedTypeKeepsAnyName()
    {
        Instrument *instrument = nullptr;
        auto set = readInstrument(instrumentXml("Name=\"Mein Messer\" Typ=\"MonoMesser\""), &instrument);
        QCOMPARE(instrument->name(), QStringLiteral("Mein Messer"));
    }

    void writerForm()
    {
        auto set = read(
            UserSetTestData::minimalDocument(instrumentXml("Name=\"S\" Typ=\"MonoSchlinge\" Datensatznummer=\"103\"",
                "<Cut><Modes><Mode Name=\"CUT_M4\" Effekt=\"3\"/></Modes></Cut>")));
        QVERIFY(set);
        // A mode without modulation default writes no empty attribute.
        firstInstrument(set.get())->cut().modes()[0].setValue(ModeType::Modulation, QString());
        const QByteArray written = m_serializer.toXml(set.get());
        QVERIFY(written.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
            || written.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
        QCOMPARE(attributeOf(written, QStringLiteral("Mode"), QStringLiteral("Modulation"), -1),
            QStringLiteral("<missing>"));
        QVERIFY(written.contains("\n    <Geraet"));
        const QString order = QStringLiteral("Geraet,Programmgruppe,Setup");
        QDomDocument document;
        QVERIFY(document.setContent(written));
        QStringList children;
        for (QDomElement e = document.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            children.append(e.tagName());
        QCOMPARE(children.join(QLatin1Char(',')), order);
    }

    void roundTripOfEveryTemplate_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList templates = UserSetTestData::builtinTemplates();
        QVERIFY(templates.size() >= 3);
        for (const QString &path : templates)
            QTest::newRow(qPrintable(path.section(QLatin1Char('/'), -1))) << path;
    }
    void roundTripOfEveryTemplate()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        UserSet set(UserSet::GENERAL_TEMPLATE);
        QVERIFY2(m_serializer.readFile(path, &set), qPrintable(m_serializer.lastError()));
        QCOMPARE(set.loadState(), 2);
        const QByteArray written = m_serializer.toXml(&set);
        const QString difference = UserSetTestData::compareDocuments(original, written);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        // The templates are kept in the writer's form, attribute order included.
        QCOMPARE(written, original);
    }

    void roundTripOfTheMaximalSet()
    {
        std::unique_ptr<UserSet> maximal(MaximalUserSet::build());
        const QByteArray first = m_serializer.toXml(maximal.get());
        auto read = this->read(first);
        QVERIFY2(read, qPrintable(m_serializer.lastError()));
        QCOMPARE(read->programGroups().size(), 20);
        QCOMPARE(read->programGroups().last()->programs().size(), 15);
        QCOMPARE(read->programGroups().last()->programs().last()->levels().size(), 6);
        QCOMPARE(read->programGroups().last()->programs().last()->levels().last()->instruments().size(), 6);
        const QString difference = UserSetTestData::compareDocuments(first, m_serializer.toXml(read.get()));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void maximalSetCoversEveryModeAndActivation()
    {
        std::unique_ptr<UserSet> maximal(MaximalUserSet::build());
        QSet<QString> modes;
        QSet<quint32> activations;
        for (const Instrument *instrument : UserSetTestData::instrumentsOf(maximal.get())) {
            activations.insert(instrument->activation() & ~quint32(Instrument::ActivationHand));
            for (const CutCoag *side : { &instrument->cut(), &instrument->coag() })
                for (const ModeType &mode : side->modes())
                    modes.insert(mode.modeName());
        }
        for (int mode = InstrumentConfiguration::CUT_AUS; mode <= InstrumentConfiguration::COAG_M15; ++mode)
            QVERIFY2(modes.contains(
                         QString::fromLatin1(QMetaEnum::fromType<InstrumentConfiguration::EMode>().valueToKey(mode))),
                QMetaEnum::fromType<InstrumentConfiguration::EMode>().valueToKey(mode));
        for (quint32 bits : { 0u, 2u, 4u, 8u, 10u, 16u, 32u, 66u })
            QVERIFY2(activations.contains(bits), qPrintable(QString::number(bits)));
    }

    // A 150 KB document with entity declarations would expand to hundreds of MB.
    void hostileDocuments_data()
    {
        QTest::addColumn<QByteArray>("document");
        QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE AnwenderSet [\n<!ENTITY lol \"lol\">\n";
        laughs += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
        for (int i = 2; i <= 9; ++i)
            laughs += QStringLiteral("<!ENTITY lol%1 \"%2\">\n")
                          .arg(i)
                          .arg(QStringLiteral("&lol%1;").arg(i - 1).repeated(10))
                          .toUtf8();
        laughs += "]>\n<AnwenderSet ZuletztVerwendeteProgrammgruppe=\"&lol9;\"/>\n";
        // clang-format off
        QTest::newRow("billion laughs") << laughs;
        QByteArray plainDtd = UserSetTestData::minimalDocument();
        plainDtd.insert(plainDtd.indexOf("<AnwenderSet"), "<!DOCTYPE AnwenderSet SYSTEM \"file:///etc/passwd\">\n");
        QTest::newRow("external DTD") << plainDtd;
        QByteArray deep = UserSetTestData::minimalDocument();
        const int at = int(deep.indexOf("<Setup"));
        deep.insert(at, QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000));
        QTest::newRow("absurd nesting of unknown elements") << deep;
        QByteArray deepWrapper = QByteArray("<w>").repeated(5000) + UserSetTestData::minimalDocument().mid(39)
            + QByteArray("</w>").repeated(5000);
        QTest::newRow("absurd nesting around the root") << deepWrapper;
        QTest::newRow("undefined entity") << UserSetTestData::minimalDocument().replace("Name=\"G\"", "Name=\"&boom;\"");
        QTest::newRow("two roots") << UserSetTestData::minimalDocument() + "<AnwenderSet/>";
        QFile file(UserSetTestData::builtinTemplates().value(0));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        for (int percent : { 1, 25, 50, 75, 99 })
            QTest::newRow(qPrintable(QStringLiteral("truncated at %1 percent").arg(percent)))
                << whole.left(whole.size() * percent / 100);
        QTest::newRow("truncated one byte before the end") << whole.left(whole.lastIndexOf('>'));
        QRandomGenerator random(20230515);
        for (int i = 0; i < 5; ++i) {
            QByteArray noise(4096, Qt::Uninitialized);
            for (char &c : noise)
                c = char(random.bounded(256));
            QTest::newRow(qPrintable(QStringLiteral("random bytes %1").arg(i))) << noise;
        }
        QByteArray mutated = whole;
        for (int i = 0; i < 40; ++i)
            mutated[int(random.bounded(int(mutated.size())))] = char(random.bounded(256));
        QTest::newRow("template with flipped bytes") << mutated;
        // clang-format on
    }
    void hostileDocuments()
    {
        QFETCH(QByteArray, document);
        UserSet set(UserSet::USER_TEMPLATE);
        const bool loaded = m_serializer.readBytes(document, &set);
        // Flipped bytes may by chance land in values only; everything else must fail.
        if (QTest::currentDataTag() != QLatin1String("template with flipped bytes")) {
            QVERIFY(!loaded);
            QCOMPARE(set.loadState(), 0);
            QVERIFY(set.programGroups().isEmpty());
        }
        QVERIFY(!loaded || set.loadState() == 2);
    }

    void readFileErrors()
    {
        UserSet set(UserSet::USER_TEMPLATE);
        QVERIFY(!m_serializer.readFile(QStringLiteral("/nonexistent/set.xml"), &set));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("XmlUserSetSerializer::readFile: File /nonexistent/set.xml does not exist")));
        QCOMPARE(set.loadState(), 0);
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_XmlUserSetSerializer)
#include "tst_xmlusersetserializer.moc"
