#include "KelvaraTest.h"
#include "UserSetTestData.h"

#include "EncryptedSettingsFormat.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ModeData.h"
#include "ModeType.h"

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>

using Group = InstrumentConfiguration::Group;

class tst_InstrumentConfiguration : public QObject
{
    Q_OBJECT

private:
    static InstrumentConfiguration *catalogue() { return InstrumentConfiguration::instance(); }

    static Group group(const QString &type, const QList<QPair<QString, QVariant>> &keys) { return { type, keys }; }

private slots:
    void initTestCase() { KelvaraTest::initializeLogger(); }
    void init() { catalogue()->setUserInterfaceLanguage(QStringLiteral("English")); }

    void emptyGroupTakesEveryDefault()
    {
        catalogue()->initializeInstrumentCatalogFromGroups({ group(QStringLiteral("Bare"), {}) });
        const InstrumentDefinition *def = catalogue()->getInstrumentDefinition(QStringLiteral("Bare"));
        QVERIFY(def);
        QCOMPARE(def->datensatznummer(), QStringLiteral("0"));
        QCOMPARE(def->nameEn(), QStringLiteral("Name_en"));
        QCOMPARE(def->nameDe(), QStringLiteral("Name_de"));
        QCOMPARE(def->modepolaritaet(), QStringLiteral("Monopolar"));
        QCOMPARE(def->icon(), QStringLiteral("monopolar.png"));
        QCOMPARE(def->evxAllowed(), QStringLiteral("EIN"));
        QCOMPARE(def->fingerschalterVorhanden(), QStringLiteral("AUS"));
        QCOMPARE(def->cutModes(), QStringList { QStringLiteral("CUT_AUS") });
        QCOMPARE(def->coagModes(), QStringList { QStringLiteral("COAG_AUS") });
        QCOMPARE(def->defaultCoagEffekte(), QStringList { QStringLiteral("0") });
        QCOMPARE(def->maxCutEffektValues(), QStringList { QString() });
        QCOMPARE(def->isParentInstrument(), QStringLiteral("false"));
        QVERIFY(def->maxCoagEffects().isEmpty());
        double minimum = 0;
        double maximum = 0;
        QVERIFY(!def->getFlowRange(minimum, maximum));
        QCOMPARE(minimum, InstrumentDefinition::kUnset);
        QCOMPARE(maximum, InstrumentDefinition::kUnset);
        // The sentinel is the double with the value of the integer 0x7FF0000000000000.
        QCOMPARE(InstrumentDefinition::kUnset, double(0x7FF0000000000000ULL));
    }

    void listKeysFollowTheOffEntry_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("cut modes as comma text") << "CutModes" << QVariant(QStringLiteral("CUT_M1, CUT_M4"))
                                                 << QStringList { "CUT_AUS", "CUT_M1", "CUT_M4" };
        QTest::newRow("coag modes as parsed list") << "CoagModes" << QVariant(QStringList { "COAG_M2", "COAG_M9" })
                                                   << QStringList { "COAG_AUS", "COAG_M2", "COAG_M9" };
        QTest::newRow("default coag effects converted")
            << "DefaultCoagEffekt" << QVariant(QStringLiteral("2.5, 30")) << QStringList { "0", "25", "30" };
        QTest::newRow("default coag modes unchanged")
            << "DefaultCoagMode" << QVariant(QStringLiteral("COAG_M12")) << QStringList { "COAG_AUS", "COAG_M12" };
    }
    void listKeysFollowTheOffEntry()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QStringList, expected);
        catalogue()->initializeInstrumentCatalogFromGroups({ group(QStringLiteral("T"), { { key, value } }) });
        const InstrumentDefinition *def = catalogue()->findInstrumentDefinition(QStringLiteral("T"));
        QVERIFY(def);
        QStringList actual;
        if (key == QLatin1String("CutModes"))
            actual = def->cutModes();
        else if (key == QLatin1String("CoagModes"))
            actual = def->coagModes();
        else if (key == QLatin1String("DefaultCoagEffekt"))
            actual = def->defaultCoagEffekte();
        else
            actual = def->defaultCoagModes();
        QCOMPARE(actual, expected);
    }

    void flowLimits()
    {
        catalogue()->initializeInstrumentCatalogFromGroups(
            { group(QStringLiteral("Argon"), { { "MinFlow", "0.4" }, { "MaxFlow", "4.0" } }) });
        const InstrumentDefinition *def = catalogue()->findInstrumentDefinition(QStringLiteral("Argon"));
        double minimum = 0;
        double maximum = 0;
        QVERIFY(def->getFlowRange(minimum, maximum));
        QCOMPARE(minimum, 0.4);
        QCOMPARE(maximum, 4.0);
    }

    void maxEffectsKeepTheirPositions_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<double>>("limits"); // -1: no limit at that position
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("coag: empty element in the middle") << "MaxCoagEffektValue" << QVariant(QStringLiteral("60,,10"))
                                                   << QStringList { "", "60", "", "10" } << QList<double> { 60, -1, 10 } << false;
        QTest::newRow("coag: empty element in a catalogue file") << "MaxCoagEffektValue" << QVariant(QStringLiteral("60,,10"))
                                                   << QStringList { "", "60", "", "10" } << QList<double> { 60, -1, 10 } << true;
        QTest::newRow("coag: text that is no number") << "MaxCoagEffektValue" << QVariant(QStringLiteral("60, x, 10"))
                                                << QStringList { "", "60", "x", "10" } << QList<double> { 60, -1, 10 } << false;
        QTest::newRow("cut: parsed list starting empty") << "MaxCutEffektValue" << QVariant(QStringList { "", "40", "4" })
                                                   << QStringList { "", "", "40", "4" } << QList<double> { -1, 40, 4 } << false;
        QTest::newRow("cut: all given") << "MaxCutEffektValue" << QVariant(QStringLiteral("40,4"))
                                        << QStringList { "", "40", "4" } << QList<double> { 40, 4 } << false;
    }
    void maxEffectsKeepTheirPositions()
    {
        // Fault: empty elements were dropped, so the later limits shifted onto the wrong mode.
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QStringList, texts);
        QFETCH(QList<double>, limits);
        QFETCH(bool, fromFile);
        if (fromFile) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("catalogue.ini"));
            {
                QSettings file(path, EncryptedSettingsFormat::format());
                file.setValue(QStringLiteral("T/") + key, value);
            }
            QVERIFY(catalogue()->initializeInstrumentCatalog(path));
        } else {
            catalogue()->initializeInstrumentCatalogFromGroups({ group(QStringLiteral("T"), { { key, value } }) });
        }
        const InstrumentDefinition *def = catalogue()->findInstrumentDefinition(QStringLiteral("T"));
        QVERIFY(def);
        const bool coag = key == QLatin1String("MaxCoagEffektValue");
        QCOMPARE(coag ? def->maxCoagEffektValues() : def->maxCutEffektValues(), texts);
        for (int index = -1; index <= limits.size(); ++index) {
            const double expected = index >= 0 && index < limits.size() ? limits.at(index) : -1;
            double limit = 0;
            const bool given = coag ? def->getMaxCoagEffect(index, limit) : def->getMaxCutEffect(index, limit);
            QCOMPARE(given, expected >= 0);
            QCOMPARE(limit, expected >= 0 ? expected : InstrumentDefinition::kUnset);
        }
    }

    void convertToScale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("logsError");
        // clang-format off
        QTest::newRow("2.5 becomes 25") << "2.5" << "25" << false;
        QTest::newRow("0.25 rounds half up to 3") << "0.25" << "3" << false;
        QTest::newRow("1.15 rounds half up to 12") << "1.15" << "12" << false;
        QTest::newRow("10.0 becomes 100") << "10.0" << "100" << false;
        QTest::newRow("whole number unchanged") << "25" << "25" << false;
        QTest::newRow("mode identifier unchanged") << "COAG_M3" << "COAG_M3" << false;
        QTest::newRow("point without number gives 0") << "a.b" << "0" << true;
        // clang-format on
    }
    void convertToScale()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, logsError);
        QCOMPARE(InstrumentDefinition::convertToScale(text), expected);
        const QString line
            = QStringLiteral("InstrumentDefinition::convertToScale: Couldn't convert %1 to multiply by 10 scale.")
                  .arg(text);
        QCOMPARE(KelvaraTest::logContains(line), logsError);
    }

    void defaultCutEffectIsScaled()
    {
        catalogue()->initializeInstrumentCatalogFromGroups(
            { group(QStringLiteral("A"), { { "DefaultCutEffekt", "2.5" } }),
                group(QStringLiteral("B"), { { "DefaultCutEffekt", "25" } }) });
        QCOMPARE(catalogue()->findInstrumentDefinition(QStringLiteral("A"))->defaultCutEffekt(), QStringLiteral("25"));
        QCOMPARE(catalogue()->findInstrumentDefinition(QStringLiteral("B"))->defaultCutEffekt(), QStringLiteral("25"));
    }

    void unknownKeyIsReported()
    {
        catalogue()->initializeInstrumentCatalogFromGroups({ group(QStringLiteral("Odd"), { { "Farbe", "rot" } }) });
        QVERIFY(catalogue()->findInstrumentDefinition(QStringLiteral("Odd")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("InstrumentDefinition::setPropertyValue: Invalid property key=Farbe")));
    }

    void redefinitions_data()
    {
        QTest::addColumn<QList<Group>>("groups");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("typeOfNumber");
        QTest::addColumn<QString>("warning");
        // clang-format off
        QTest::newRow("later type wins a data-set number")
            << QList<Group> { group("First", { { "Datensatznummer", "77" } }), group("Second", { { "Datensatznummer", "77" } }) }
            << "77" << "Second" << "instrumentTpe=Second re-defines datensatzNummer=77";
        QTest::newRow("re-defined type replaces the old one")
            << QList<Group> { group("Same", { { "Datensatznummer", "78" } }), group("Same", { { "Datensatznummer", "79" } }) }
            << "79" << "Same" << "instrumentType=Same is beeing redefined";
        QTest::newRow("reserved numbers never map")
            << QList<Group> { group("Zero", { { "Datensatznummer", "65535" } }) } << "65535" << QString() << QString();
        // clang-format on
    }
    void redefinitions()
    {
        QFETCH(QList<Group>, groups);
        QFETCH(QString, number);
        QFETCH(QString, typeOfNumber);
        QFETCH(QString, warning);
        catalogue()->initializeInstrumentCatalogFromGroups(groups);
        const InstrumentDefinition *def = catalogue()->getInstrumentDefinitionByDatensatznummer(number);
        QCOMPARE(def ? def->instrumentType() : QString(), typeOfNumber);
        if (!warning.isEmpty())
            QVERIFY(KelvaraTest::logContains(
                QStringLiteral("InstrumentConfiguration::initializeInstrumentCatalog: ") + warning));
        // A redefined type leaves exactly one definition behind.
        QCOMPARE(catalogue()->instrumentTypes().count(typeOfNumber), typeOfNumber.isEmpty() ? 0 : 1);
    }

    void lookups()
    {
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
        QVERIFY(!catalogue()->getInstrumentDefinition(QStringLiteral("Nothing")));
        QVERIFY(!KelvaraTest::logContains(QStringLiteral("unknown instrumentType=Nothing")));
        QVERIFY(!catalogue()->getInstrumentDefinition(QStringLiteral("Zauberstab")));
        QVERIFY(KelvaraTest::logContains(
            QStringLiteral("InstrumentConfiguration::getInstrumentDefinition: unknown instrumentType=Zauberstab")));
        for (const char *reserved : { "-1", "0", "65535" })
            QVERIFY(!catalogue()->getInstrumentDefinitionByDatensatznummer(QLatin1String(reserved)));
        QCOMPARE(catalogue()->getInstrumentDefinitionByDatensatznummer(QStringLiteral("138"))->instrumentType(),
            QStringLiteral("HybridVex"));
    }

    void builtinCatalogueContent()
    {
        QVERIFY(UserSetTestData::loadBuiltinCatalogue());
        const InstrumentDefinition *argon = catalogue()->findInstrumentDefinition(QStringLiteral("APC_Applikator"));
        QVERIFY(argon && argon->hasGasChannel());
        QCOMPARE(argon->defaultCoagEffekte(), (QStringList { "0", "5" }));
        QVERIFY(catalogue()->isPreventAutostartType(QStringLiteral("ThermoSeal")));
        QVERIFY(catalogue()->isHideAutostopType(QStringLiteral("ThermoSeal")));
        QVERIFY(catalogue()->isPreventFootSwitchType(QStringLiteral("MonoHandstueck")));
        QVERIFY(!catalogue()->isPreventFootSwitchType(QStringLiteral("MonoMesser")));
        QCOMPARE(catalogue()->ioskDefinitions().size(), 2);
        QCOMPARE(catalogue()->findInstrumentDefinition(QStringLiteral("HybridVex_Argon"))->subinstrumentVon(),
            QStringLiteral("HybridVex"));
        QVERIFY(catalogue()->findInstrumentDefinition(QStringLiteral("ThermoSeal"))->nameEn().contains(QChar(0x00AE)));

        // Sub-instruments never appear in the editor's lists; polarity splits the rest.
        QStringList monopolar;
        for (const CatalogueEntry &row : catalogue()->monopolarInstruments())
            monopolar.append(row.identifier);
        QStringList other;
        for (const CatalogueEntry &row : catalogue()->otherInstruments())
            other.append(row.identifier);
        QVERIFY(monopolar.contains(QStringLiteral("HybridVex")));
        QVERIFY(!monopolar.contains(QStringLiteral("HybridVex_Schnitt")));
        QVERIFY(other.contains(QStringLiteral("BiPinzette")));
        QVERIFY(!other.contains(QStringLiteral("MonoMesser")));
        QCOMPARE(catalogue()->otherInstruments().first().image,
            QStringLiteral("qrc:/Resources/Images/CopyModul/Instrumente/instrument_grau_")
                + catalogue()->findInstrumentDefinition(catalogue()->otherInstruments().first().identifier)->icon());

        catalogue()->setUserInterfaceLanguage(QStringLiteral("Deutsch"));
        bool foundGerman = false;
        for (const CatalogueEntry &row : catalogue()->monopolarInstruments())
            foundGerman = foundGerman || row.text == QStringLiteral("Messerelektrode");
        QVERIFY(foundGerman);
    }

    void missingCatalogueLeavesItEmpty()
    {
        QVERIFY(!catalogue()->initializeInstrumentCatalog(QStringLiteral("/nonexistent/catalogue.ini")));
        QCOMPARE(catalogue()->definitionCount(), 0);
    }

    void modeDisplayNames_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("argon");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cut off") << "CUT_AUS" << false << "CUT off";
        QTest::newRow("coag off stays without argon") << "COAG_AUS" << true << "COAG off";
        QTest::newRow("CUT_M5 is cutM4 Q") << "CUT_M5" << false << "cutM4 Q";
        QTest::newRow("CUT_M6 bipolar") << "CUT_M6" << false << "cutM1 bipolar";
        QTest::newRow("COAG_M13 shows coagM2 bipolar") << "COAG_M13" << false << "coagM2 bipolar";
        QTest::newRow("COAG_M14 shows coagM3 bipolar") << "COAG_M14" << false << "coagM3 bipolar";
        QTest::newRow("COAG_M3 with argon") << "COAG_M3" << true << "coagM3 argon";
        QTest::newRow("argon mode COAG_M9 alone") << "COAG_M9" << true << "coagM9";
        QTest::newRow("cut mode with argon") << "CUT_M1" << true << "cutM1 argon";
        QTest::newRow("unknown identifier itself") << "XYZ" << false << "XYZ";
    }
    void modeDisplayNames()
    {
        QFETCH(QString, mode);
        QFETCH(bool, argon);
        QFETCH(QString, expected);
        QCOMPARE(catalogue()->getModeDisplayName(mode, argon), expected);
    }

    void modeParameters_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("beyond");
        QTest::newRow("CUT_M2 effect and miC") << "CUT_M2" << 2 << QStringList { "30", "EIN" } << "?";
        QTest::newRow("CUT_M4 three values") << "CUT_M4" << 3 << QStringList { "30", "3", "7" } << "?";
        QTest::newRow("COAG_M8 modulation") << "COAG_M8" << 2 << QStringList { "30", "50" } << "?";
        QTest::newRow("COAG_M11 fast") << "COAG_M11" << 2 << QStringList { "30", "AUS" } << "?";
        QTest::newRow("COAG_M12 quick start") << "COAG_M12" << 2 << QStringList { "30", "EIN" } << "?";
        QTest::newRow("COAG_M5 one value") << "COAG_M5" << 1 << QStringList { "30" } << "?";
        QTest::newRow("COAG_AUS empty") << "COAG_AUS" << 0 << QStringList {} << "";
        QTest::newRow("CUT_AUS question mark") << "CUT_AUS" << 0 << QStringList {} << "?";
    }
    void modeParameters()
    {
        QFETCH(QString, mode);
        QFETCH(int, count);
        QFETCH(QStringList, values);
        QFETCH(QString, beyond);
        ModeType entry(mode);
        entry.setValue(ModeType::Effekt, QStringLiteral("30"));
        entry.setValue(ModeType::MiC, QStringLiteral("EIN"));
        entry.setValue(ModeType::Schnittdauer, QStringLiteral("3"));
        entry.setValue(ModeType::Schnittintervall, QStringLiteral("7"));
        entry.setValue(ModeType::Modulation, QStringLiteral("50"));
        entry.setValue(ModeType::Fast, QStringLiteral("AUS"));
        entry.setValue(ModeType::APP, QStringLiteral("EIN"));
        QCOMPARE(catalogue()->getModeParameterCount(mode), count);
        QStringList actual;
        for (int i = 0; i < count; ++i)
            actual.append(catalogue()->getModeParameterValue(entry, i));
        QCOMPARE(actual, values);
        QCOMPARE(catalogue()->getModeParameterValue(entry, count), beyond);
        QCOMPARE(catalogue()->getModeValuesString(entry), values.join(QStringLiteral(" / ")));
    }

    void modeDescriptors_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<double>("effectMaximum");
        QTest::newRow("off has none") << "COAG_AUS" << QStringList {} << 0.0;
        QTest::newRow("CUT_M2") << "CUT_M2" << QStringList { "Effekt", "miC", "Flow" } << 10.0;
        QTest::newRow("CUT_M4") << "CUT_M4" << QStringList { "Effekt", "Dauer", "Intervall", "Flow" } << 4.0;
        QTest::newRow("CUT_M8") << "CUT_M8" << QStringList { "Effekt", "Flow" } << 1.0;
        QTest::newRow("COAG_M7") << "COAG_M7" << QStringList { "Effekt", "Flow" } << 2.0;
        QTest::newRow("COAG_M8") << "COAG_M8" << QStringList { "Effekt", "Modulation", "Flow" } << 4.0;
        QTest::newRow("COAG_M11") << "COAG_M11" << QStringList { "Effekt", "FAST", "Flow" } << 10.0;
        QTest::newRow("COAG_M13") << "COAG_M13" << QStringList { "Effekt", "Flow" } << 10.0;
    }
    void modeDescriptors()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, labels);
        QFETCH(double, effectMaximum);
        QCOMPARE(catalogue()->modeDescriptors().size(), 16);
        const QList<ModeData *> list = catalogue()->getModeDataList(mode);
        QStringList actual;
        for (const ModeData *data : list)
            actual.append(data->label());
        QCOMPARE(actual, labels);
        if (!list.isEmpty()) {
            QCOMPARE(list.first()->maximum(), effectMaximum);
            QVERIFY(list.last()->isFlow());
        }
    }

    void descriptorDefaults()
    {
        const QList<ModeData *> &all = catalogue()->modeDescriptors();
        QCOMPARE(all.at(1)->defaultText(), QStringLiteral("1.0"));
        QCOMPARE(all.at(1)->defaultTenfoldText(), QStringLiteral("10"));
        QCOMPARE(all.at(5)->defaultText(), QStringLiteral("AUS"));
        QCOMPARE(all.at(9)->defaultText(), QStringLiteral("5"));
        QCOMPARE(all.at(9)->maximum(), 300.0);
        QCOMPARE(catalogue()->cutModeList().size(), 8);
        QCOMPARE(catalogue()->cutModeList().first(), QStringLiteral("CUT_M1"));
        QVERIFY(InstrumentConfiguration::isCutMode(QStringLiteral("COAG_M5")));
        QCOMPARE(InstrumentConfiguration::modeFromKey(QStringLiteral("NOPE")), -1);
    }

    void activationImages_data()
    {
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<QStringList>("suffixes");
        // clang-format off
        QTest::newRow("no bit shows no-activation only") << quint32(0) << QStringList { "weiss_no_activation" };
        QTest::newRow("hand and one foot") << quint32(1 | 2) << QStringList { "weiss_hand", "weiss_1FuS" };
        QTest::newRow("autostart and autostop") << quint32(32 | 64) << QStringList { "weiss_autostart", "weiss_autostop" };
        // clang-format on
    }
    void activationImages()
    {
        QFETCH(quint32, bits);
        QFETCH(QStringList, suffixes);
        Instrument instrument;
        instrument.setActivation(bits);
        QStringList expected;
        for (const QString &suffix : suffixes)
            expected.append(
                QStringLiteral("qrc:/Resources/Images/CopyModul/Aktivierungselemente/aktivierungsart_%1.png")
                    .arg(suffix));
        QCOMPARE(catalogue()->getActivationImages(&instrument), expected);
    }

    void programGroupCatalogue_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("image");
        // clang-format off
        QTest::newRow("thorax uses the cardio pictogram") << "THORAX" << "Thoracic surgery" << "pg_kardio.png";
        QTest::newRow("ortho uses the general pictogram") << "ORTHO" << "Orthopedics" << "pg_allgemein.png";
        QTest::newRow("urology image name") << "URO" << "Urology" << "pg_urologie.png";
        // clang-format on
    }
    void programGroupCatalogue()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, english);
        QFETCH(QString, image);
        const QList<CatalogueEntry> rows = catalogue()->programGroupCatalogue();
        QCOMPARE(rows.size(), 13);
        QCOMPARE(catalogue()->getProgramGroupText(identifier), english);
        bool found = false;
        for (const CatalogueEntry &row : rows) {
            if (row.identifier == identifier) {
                found = true;
                QCOMPARE(row.image, QStringLiteral("qrc:/Resources/Images/CopyModul/Programmgruppen/") + image);
            }
        }
        QVERIFY(found);
        QCOMPARE(catalogue()->getPictogramImage(QStringLiteral("UNBEKANNT")),
            QStringLiteral("qrc:/Resources/Images/CopyModul/Programmgruppen/pg_neutral.png"));
    }
};

KELVARA_TEST_GUILESS_MAIN(tst_InstrumentConfiguration)
#include "tst_instrumentconfiguration.moc"
