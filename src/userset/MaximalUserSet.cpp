#include "MaximalUserSet.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "UserProgram.h"
#include "UserSet.h"

#include <QtCore/QStringList>

namespace {

struct Kind
{
    const char *type;
    const char *number;
    const char *name;
    QStringList cutModes;
    QStringList coagModes;
    QStringList subNumbers;
};

const QList<Kind> &kinds()
{
    // Mirrors Resources/Catalogue/instruments.ini.txt; together the kinds use
    // every cut and coag mode.
    static const QList<Kind> kKinds = {
        { "MonoMesser", "101", "Messer", { "CUT_M1", "CUT_M2", "CUT_M3", "CUT_M4", "CUT_M5", "COAG_M5" },
            { "COAG_M1", "COAG_M2", "COAG_M3", "COAG_M4", "COAG_M5", "COAG_M6", "COAG_M8" }, {} },
        { "MonoKugel", "102", "Kugel", {}, { "COAG_M3", "COAG_M4", "COAG_M6" }, {} },
        { "MonoSchlinge", "103", "Schlinge", { "CUT_M4", "CUT_M5" }, { "COAG_M1", "COAG_M2", "COAG_M8" }, {} },
        { "MonoHandstueck", "104", "Handstück", { "CUT_M1", "CUT_M3" }, { "COAG_M1", "COAG_M3" }, {} },
        { "BiPinzette", "201", "Pinzette", { "CUT_M6", "CUT_M7" },
            { "COAG_M7", "COAG_M12", "COAG_M13", "COAG_M14", "COAG_M15" }, {} },
        { "BiSchere", "202", "Schere", { "CUT_M6", "CUT_M8" }, { "COAG_M13", "COAG_M14" }, {} },
        { "ThermoSeal", "203", "ThermoSeal® Sealer", {}, { "COAG_M12", "COAG_M14" }, {} },
        { "APC_Sonde", "137", "Argon", {}, { "COAG_M9", "COAG_M10", "COAG_M11" }, {} },
        { "APC_Applikator", "140", "Applikator", {}, { "COAG_M9", "COAG_M10" }, {} },
        { "ArgonMesser", "141", "Argonmesser", { "CUT_M1", "CUT_M2" }, { "COAG_M1", "COAG_M9", "COAG_M11" }, {} },
        { "HybridVex", "138", "HybridVex® Sonde", { "CUT_M1", "CUT_M3" }, { "COAG_M1", "COAG_M9" }, { "151", "152" } },
        { "MultiElektrode", "160", "Wechsel", { "CUT_M1", "CUT_M2" }, { "COAG_M1", "COAG_M2", "COAG_M3" },
            { "161", "162" } },
        { "UroLoop", "301", "UroLoop® Schlinge", { "CUT_M1", "CUT_M4", "CUT_M5" }, { "COAG_M1", "COAG_M2", "COAG_M3" },
            {} },
        { "UroBipolar", "302", "UroLoop® Bipolar", { "CUT_M7" }, { "COAG_M7", "COAG_M12", "COAG_M13" }, {} },
    };
    return kKinds;
}

const char *const kGroups[] = { "ALLGEMEIN", "GASTRO", "GYN", "PNEU", "URO", "THORAX", "ORTHO", "HNO", "OPHTA", "DERMA",
    "NEURO", "USER", "NEUTRAL" };

const quint32 kActivations[] = {
    Instrument::ActivationOneFoot,
    Instrument::ActivationTwoFoot,
    Instrument::ActivationTwoFootCut,
    Instrument::ActivationOneFoot | Instrument::ActivationTwoFootCut,
    Instrument::ActivationTwoFootCoag,
    Instrument::ActivationAutostart,
    Instrument::ActivationOneFoot | Instrument::ActivationAutostop,
    0,
};

QString flow(int seed)
{
    return QString::number((seed % 80) / 10.0, 'f', 1);
}

QList<ModeType> modes(const QStringList &names, const QString &off, int seed)
{
    QList<ModeType> result;
    QStringList all { off };
    all.append(names);
    for (int i = 0; i < all.size(); ++i) {
        ModeType mode(all.at(i));
        const bool isOff = i == 0;
        mode.setValue(ModeType::Effekt, isOff ? QStringLiteral("0") : QString::number(1 + (seed + i) % 100));
        mode.setValue(ModeType::Schnittdauer, QString::number(1 + (seed + i) % 4));
        mode.setValue(ModeType::Schnittintervall, QString::number(1 + (seed + 2 * i) % 10));
        mode.setValue(ModeType::APP, (seed + i) % 2 ? QStringLiteral("EIN") : QStringLiteral("AUS"));
        mode.setValue(ModeType::Fast, (seed + i) % 3 ? QStringLiteral("AUS") : QStringLiteral("EIN"));
        mode.setValue(ModeType::MiC, (seed + i) % 5 ? QStringLiteral("AUS") : QStringLiteral("EIN"));
        mode.setValue(ModeType::Modulation, QString::number(5 * (1 + (seed + i) % 60)));
        result.append(mode);
    }
    return result;
}

void fillSide(CutCoag &side, const QStringList &names, const QString &number, int seed)
{
    const bool coag = side.side() == CutCoag::Coag;
    side.setModes(modes(names, coag ? QStringLiteral("COAG_AUS") : QStringLiteral("CUT_AUS"), seed));
    side.setSelektierterMode(side.modes().at(seed % side.modes().size()).modeName());
    side.setFlow(flow(seed));
    side.setDatensatznummer(number);
    if (coag)
        side.setAutostop(seed % 2 ? QStringLiteral("EIN") : QStringLiteral("AUS"));
}

Instrument *makeInstrument(ProgramLevel *level, const Kind &kind, int slotSeed, int levelSeed)
{
    const int seed = slotSeed * 7 + levelSeed;
    auto *instrument = new Instrument(level);
    instrument->setInstrumentType(QLatin1String(kind.type));
    instrument->setDatensatznummer(QLatin1String(kind.number));
    instrument->setName(QStringLiteral("%1 %2").arg(QString::fromUtf8(kind.name)).arg(slotSeed % 100));
    instrument->setEvx(QString::number(10 * (seed % 10)), seed % 2);
    instrument->setIrx(QString::number(seed % 50), seed % 3 == 0);
    fillSide(instrument->coag(), kind.coagModes, QLatin1String(kind.number), seed);
    fillSide(instrument->cut(), kind.cutModes, QLatin1String(kind.number), seed + 1);
    if (seed % 9 == 4 && kind.subNumbers.isEmpty())
        instrument->setAlias(QStringLiteral("BiSchere"), QStringLiteral("Alias %1").arg(seed % 10));
    for (const QString &number : kind.subNumbers) {
        auto *child = new Instrument(level);
        child->setDatensatznummer(number);
        const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
        if (const InstrumentDefinition *def = catalogue->getInstrumentDefinitionByDatensatznummer(number)) {
            child->setInstrumentType(def->instrumentType());
            child->setName(def->name(catalogue->isGerman()));
        }
        fillSide(child->coag(), kind.coagModes, number, seed + 2);
        fillSide(child->cut(), kind.cutModes, number, seed + 3);
        instrument->appendSubInstrument(child);
    }
    if (!instrument->subInstruments().isEmpty() && QLatin1String(kind.number) == QLatin1String("138")) {
        // The hybrid probe always cuts with its first sub-instrument's settings.
        const CutCoag &first = instrument->subInstruments().first()->cut();
        instrument->cut().setSelektierterMode(first.selektierterMode());
        instrument->cut().setFlow(first.flow());
        instrument->cut().setModes(first.modes());
    }
    instrument->setActivation(kActivations[size_t(seed) % (sizeof(kActivations) / sizeof(kActivations[0]))]);
    // What a file can express: the reader's view of the bits.
    instrument->applyActivationToSources();
    instrument->deriveActivation();
    return instrument;
}

} // namespace

namespace MaximalUserSet {

UserSet *build(int userSetType)
{
    auto *set = new UserSet(userSetType);
    set->setLastUsedProgramGroup(QStringLiteral("Gruppe 1"));
    set->setDocumentVersion(QStringLiteral("1.4"));
    set->setDevice(UserSet::DeviceName, QStringLiteral("QELO 3"));
    set->setDevice(UserSet::DeviceTyp, QStringLiteral("QELO3"));
    set->setDevice(UserSet::Seriennummer, QStringLiteral("Q3-000042"));
    set->setDevice(UserSet::Softwareversion, QStringLiteral("1.4.0"));
    set->setDevice(UserSet::NaechsteSTK, QStringLiteral("2025-06-30"));
    const QStringList setup = {
        QStringLiteral("Programmauswahl"),
        QStringLiteral("Zweiflaechig"),
        QStringLiteral("EIN"),
        QStringLiteral("60"),
        QStringLiteral("EIN"),
        QStringLiteral("500"),
        QStringLiteral("1000"),
        QStringLiteral("EIN"),
        QStringLiteral("de"),
        QStringLiteral("8"),
        QStringLiteral("7"),
        QStringLiteral("5"),
        QStringLiteral("6"),
        QStringLiteral("7"),
        QStringLiteral("3"),
        QStringLiteral("8"),
        QStringLiteral("EIN"),
        QStringLiteral("3"),
        QStringLiteral("Flasche"),
        QStringLiteral("200"),
        QStringLiteral("40"),
        QStringLiteral("10"),
    };
    for (int i = 0; i < UserSet::SetupValueCount; ++i)
        set->setSetup(UserSet::SetupValue(i), setup.at(i));

    const QList<Kind> &allKinds = kinds();
    const int groupKinds = int(sizeof(kGroups) / sizeof(kGroups[0]));
    for (int g = 0; g < UserSet::kMaxProgramGroups; ++g) {
        auto *group = new ProgramGroup(set);
        group->setName(QStringLiteral("Gruppe %1").arg(g + 1));
        group->setLastUsedProgram(QStringLiteral("Programm %1").arg(g % ProgramGroup::kMaxPrograms + 1));
        group->setPictogramIdentifier(QLatin1String(kGroups[g % groupKinds]));
        set->appendProgramGroup(group);
        for (int p = 0; p < ProgramGroup::kMaxPrograms; ++p) {
            auto *program = new UserProgram(group);
            program->setName(QStringLiteral("Programm %1").arg(p + 1));
            program->setNeonatalueberwachung((g + p) % 4 == 0 ? QStringLiteral("EIN") : QStringLiteral("AUS"));
            group->appendProgram(program);
            for (int l = 0; l < UserProgram::kMaxLevels; ++l) {
                auto *level = new ProgramLevel(program);
                level->setName(QStringLiteral("Ebene %1").arg(l + 1));
                program->appendLevel(level);
                for (int s = 0; s < UserProgram::kMaxInstruments; ++s) {
                    const int slot = (g * ProgramGroup::kMaxPrograms + p) * UserProgram::kMaxInstruments + s;
                    const Kind &kind = allKinds.at(slot % allKinds.size());
                    level->appendInstrument(makeInstrument(level, kind, slot, l));
                }
            }
        }
    }
    set->clearModified();
    return set;
}

} // namespace MaximalUserSet
