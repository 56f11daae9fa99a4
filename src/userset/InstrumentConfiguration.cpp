#include "InstrumentConfiguration.h"

#include "EncryptedSettingsFormat.h"
#include "IniText.h"
#include "Instrument.h"
#include "InstrumentDefinition.h"
#include "Logger.h"
#include "ModeData.h"
#include "ModeType.h"
#include "UserSet.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QMetaEnum>
#include <QtCore/QSettings>

namespace {

const QString kActivationImages = QStringLiteral("qrc:/Resources/Images/CopyModul/Aktivierungselemente/");
const QString kPictogramImages = QStringLiteral("qrc:/Resources/Images/CopyModul/Programmgruppen/");
const QString kInstrumentImages = QStringLiteral("qrc:/Resources/Images/CopyModul/Instrumente/instrument_grau_%1");

struct ActivationType
{
    const char *identifier;
    quint32 bit;
    const char *suffix;
};

const ActivationType kActivationTypes[] = {
    { "ACTIVATION_HAND", Instrument::ActivationHand, "hand" },
    { "ACTIVATION_1FUSS", Instrument::ActivationOneFoot, "1FuS" },
    { "ACTIVATION_2FUSS", Instrument::ActivationTwoFoot, "2FuS" },
    { "ACTIVATION_2FUSS_CUT", Instrument::ActivationTwoFootCut, "2FuS_CUT" },
    { "ACTIVATION_2FUSS_COAG", Instrument::ActivationTwoFootCoag, "2FuS_COAG" },
    { "ACTIVATION_AUTOSTART", Instrument::ActivationAutostart, "autostart" },
    { "ACTIVATION_AUTOSTOP", Instrument::ActivationAutostop, "autostop" },
    { "ACTIVATION_NOACTIVATION", 0, "no_activation" },
};

struct ProgramGroupEntry
{
    const char *identifier;
    const char *pictogram;
    const char *german;
    const char *english;
};

const ProgramGroupEntry kProgramGroups[] = {
    { "ALLGEMEIN", "ALLGEMEIN", "Allgemein- und Viszeralchirurgie", "General and visceral surgery" },
    { "GASTRO", "GASTRO", "Gastroenterologie", "Gastroenterology" },
    { "GYN", "GYN", "Gynäkologie", "Gynecology" },
    { "PNEU", "PNEU", "Pneumologie", "Pulmonology" },
    { "URO", "URO", "Urologie", "Urology" },
    { "THORAX", "KARDIO", "Thoraxchirurgie", "Thoracic surgery" },
    { "ORTHO", "ALLGEMEIN", "Orthopädie", "Orthopedics" },
    { "HNO", "HNO", "HNO", "ENT" },
    { "OPHTA", "OPHTA", "Ophthalmologie", "Ophthalmology" },
    { "DERMA", "DERMA", "Dermatologie", "Dermatology" },
    { "NEURO", "NEURO", "Neurologie", "Neurology" },
    { "USER", "USER", "Nutzer", "User" },
    { "NEUTRAL", "NEUTRAL", "Freitext", "Free text" },
};

const QMap<QString, QString> &pictogramImages()
{
    static const QMap<QString, QString> kImages = {
        { QStringLiteral("ALLGEMEIN"), QStringLiteral("pg_allgemein.png") },
        { QStringLiteral("DERMA"), QStringLiteral("pg_derma.png") },
        { QStringLiteral("GASTRO"), QStringLiteral("pg_gastro.png") },
        { QStringLiteral("GYN"), QStringLiteral("pg_gyn.png") },
        { QStringLiteral("HNO"), QStringLiteral("pg_hno.png") },
        { QStringLiteral("KARDIO"), QStringLiteral("pg_kardio.png") },
        { QStringLiteral("NEURO"), QStringLiteral("pg_neuro.png") },
        { QStringLiteral("NEUTRAL"), QStringLiteral("pg_neutral.png") },
        { QStringLiteral("OPHTA"), QStringLiteral("pg_ophta.png") },
        { QStringLiteral("PNEU"), QStringLiteral("pg_pneu.png") },
        { QStringLiteral("URO"), QStringLiteral("pg_urologie.png") },
        { QStringLiteral("USER"), QStringLiteral("pg_user.png") },
    };
    return kImages;
}

/// Which value of a mode entry is its parameter 1, 2, 3.
const QHash<QString, QList<ModeType::Field>> &parameterTable()
{
    static const QHash<QString, QList<ModeType::Field>> kTable = [] {
        QHash<QString, QList<ModeType::Field>> table;
        const QList<ModeType::Field> effekt { ModeType::Effekt };
        for (const char *mode : { "CUT_M1", "CUT_M3", "COAG_M5", "CUT_M6", "CUT_M7", "CUT_M8", "COAG_M1", "COAG_M3",
                 "COAG_M4", "COAG_M6", "COAG_M7", "COAG_M9", "COAG_M10", "COAG_M13", "COAG_M14", "COAG_M15" })
            table.insert(QLatin1String(mode), effekt);
        table.insert(QStringLiteral("CUT_M2"), { ModeType::Effekt, ModeType::MiC });
        table.insert(
            QStringLiteral("CUT_M4"), { ModeType::Effekt, ModeType::Schnittdauer, ModeType::Schnittintervall });
        table.insert(
            QStringLiteral("CUT_M5"), { ModeType::Effekt, ModeType::Schnittdauer, ModeType::Schnittintervall });
        table.insert(QStringLiteral("COAG_M2"), { ModeType::Effekt, ModeType::APP });
        table.insert(QStringLiteral("COAG_M12"), { ModeType::Effekt, ModeType::APP });
        table.insert(QStringLiteral("COAG_M8"), { ModeType::Effekt, ModeType::Modulation });
        table.insert(QStringLiteral("COAG_M11"), { ModeType::Effekt, ModeType::Fast });
        table.insert(QStringLiteral("CUT_AUS"), {});
        table.insert(QStringLiteral("COAG_AUS"), {});
        return table;
    }();
    return kTable;
}

} // namespace

InstrumentConfiguration *InstrumentConfiguration::instance()
{
    static InstrumentConfiguration *configuration = new InstrumentConfiguration();
    return configuration;
}

InstrumentConfiguration::InstrumentConfiguration()
{
    buildModeTables();
}

InstrumentConfiguration::~InstrumentConfiguration() = default;

void InstrumentConfiguration::buildModeTables()
{
    using K = ModeData::Kind;
    const auto make
        = [this](const char *label, K kind, double min, double max, double step, double def, int decimals = 0) {
              auto *data = new ModeData(QLatin1String(label), kind, min, max, step, def, decimals, this);
              m_descriptors.append(data);
              return data;
          };
    ModeData *cutFlow = make("Flow", K::DecimalNumber, 0.0, 8.0, 0.1, 0.0, 1);
    ModeData *cutEffektDecimal = make("Effekt", K::DecimalNumber, 0.1, 10.0, 0.1, 1.0, 1);
    ModeData *cutEffekt10 = make("Effekt", K::WholeNumber, 1, 10, 1, 1);
    ModeData *cutEffekt4 = make("Effekt", K::WholeNumber, 1, 4, 1, 1);
    ModeData *cutEffekt1 = make("Effekt", K::WholeNumber, 1, 1, 1, 1);
    ModeData *miC = make("miC", K::OnOff, 0, 1, 1, 0);
    ModeData *dauer = make("Dauer", K::WholeNumber, 1, 4, 1, 1);
    ModeData *intervall = make("Intervall", K::WholeNumber, 1, 10, 1, 1);
    ModeData *coagFlow = make("Flow", K::DecimalNumber, 0.0, 8.0, 0.1, 0.0, 1);
    ModeData *modulation = make("Modulation", K::WholeNumber, 5, 300, 5, 5);
    ModeData *coagEffektDecimal = make("Effekt", K::DecimalNumber, 0.1, 10.0, 0.1, 1.0, 1);
    ModeData *coagEffekt10 = make("Effekt", K::WholeNumber, 1, 10, 1, 1);
    ModeData *coagEffekt4 = make("Effekt", K::WholeNumber, 1, 4, 1, 1);
    ModeData *coagEffekt2 = make("Effekt", K::WholeNumber, 1, 2, 1, 1);
    ModeData *quickStart = make("QuickStart", K::OnOff, 0, 1, 1, 0);
    ModeData *fast = make("FAST", K::OnOff, 0, 1, 1, 0);

    m_modeData.insert(QStringLiteral("CUT_AUS"), {});
    m_modeData.insert(QStringLiteral("COAG_AUS"), {});
    for (const char *mode : { "CUT_M1", "CUT_M3", "CUT_M6" })
        m_modeData.insert(QLatin1String(mode), { cutEffektDecimal, cutFlow });
    m_modeData.insert(QStringLiteral("CUT_M2"), { cutEffektDecimal, miC, cutFlow });
    m_modeData.insert(QStringLiteral("CUT_M4"), { cutEffekt4, dauer, intervall, cutFlow });
    m_modeData.insert(QStringLiteral("CUT_M5"), { cutEffekt4, dauer, intervall, cutFlow });
    m_modeData.insert(QStringLiteral("CUT_M7"), { cutEffekt10, cutFlow });
    m_modeData.insert(QStringLiteral("CUT_M8"), { cutEffekt1, cutFlow });
    for (const char *mode : { "COAG_M1", "COAG_M3", "COAG_M4", "COAG_M5", "COAG_M6", "COAG_M9", "COAG_M14" })
        m_modeData.insert(QLatin1String(mode), { coagEffektDecimal, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M2"), { coagEffektDecimal, quickStart, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M12"), { coagEffektDecimal, quickStart, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M7"), { coagEffekt2, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M8"), { coagEffekt4, modulation, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M10"), { coagEffekt10, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M13"), { coagEffekt10, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M11"), { coagEffektDecimal, fast, coagFlow });
    m_modeData.insert(QStringLiteral("COAG_M15"), { coagEffekt4, coagFlow });

    for (int i = 1; i <= 8; ++i)
        m_cutModes.append(QStringLiteral("CUT_M%1").arg(i));
}

void InstrumentConfiguration::clearDefinitions()
{
    m_byType.clear();
    m_byNumber.clear();
    m_ioskDefinitions.clear();
    m_nonIoskDefinitions.clear();
    m_topLevel.clear();
    m_preventAutostartTypes.clear();
    m_hideAutostopTypes.clear();
    m_preventFootSwitchTypes.clear();
    m_definitions.clear();
}

bool InstrumentConfiguration::initializeInstrumentCatalog(const QString &filePath)
{
    clearDefinitions();
    QList<Group> groups;
    bool ok = QFileInfo(filePath).isFile();
    if (ok) {
        QSettings settings(filePath, EncryptedSettingsFormat::format());
        ok = settings.status() == QSettings::NoError;
        const QStringList groupNames = ok ? settings.childGroups() : QStringList();
        for (const QString &groupName : groupNames) {
            settings.beginGroup(groupName);
            Group group { groupName, {} };
            const QStringList keys = settings.childKeys();
            for (const QString &key : keys)
                group.second.append({ key, settings.value(key) });
            settings.endGroup();
            groups.append(group);
        }
    }
    if (!ok)
        Logger::error(
            QStringLiteral("InstrumentConfiguration::initializeInstrumentCatalog: Cannot read the catalogue file %1")
                .arg(filePath));
    initializeInstrumentCatalogFromGroups(groups);
    return ok;
}

bool InstrumentConfiguration::initializeInstrumentCatalogFromText(const QByteArray &text)
{
    QSettings::SettingsMap map;
    QString error;
    const bool ok = IniText::parse(text, map, &error);
    if (!ok)
        Logger::error(QStringLiteral("InstrumentConfiguration::initializeInstrumentCatalogFromText: %1").arg(error));
    QList<Group> groups;
    for (auto it = map.cbegin(); ok && it != map.cend(); ++it) {
        const int slash = int(it.key().indexOf(QLatin1Char('/')));
        if (slash <= 0)
            continue;
        const QString groupName = it.key().left(slash);
        if (groups.isEmpty() || groups.last().first != groupName)
            groups.append({ groupName, {} });
        groups.last().second.append({ it.key().mid(slash + 1), it.value() });
    }
    initializeInstrumentCatalogFromGroups(groups);
    return ok;
}

void InstrumentConfiguration::initializeInstrumentCatalogFromGroups(const QList<Group> &groups)
{
    static const QString kFunction = QStringLiteral("InstrumentConfiguration::initializeInstrumentCatalog");
    clearDefinitions();
    const QStringList &keys = InstrumentDefinition::propertyKeys();
    for (const Group &group : groups) {
        auto definition = std::make_unique<InstrumentDefinition>(group.first);
        for (const QString &key : keys) {
            for (const auto &entry : group.second) {
                if (entry.first == key)
                    definition->setPropertyValue(key, entry.second);
            }
        }
        for (const auto &entry : group.second) {
            if (!keys.contains(entry.first))
                definition->setPropertyValue(entry.first, entry.second);
        }
        if (InstrumentDefinition *old = m_byType.value(group.first)) {
            Logger::warn(QStringLiteral("%1: instrumentType=%2 is beeing redefined").arg(kFunction, group.first));
            for (auto it = m_byNumber.begin(); it != m_byNumber.end();) {
                it = it.value() == old ? m_byNumber.erase(it) : std::next(it);
            }
            for (auto it = m_definitions.begin(); it != m_definitions.end(); ++it) {
                if (it->get() == old) {
                    m_definitions.erase(it);
                    break;
                }
            }
        }
        InstrumentDefinition *raw = definition.get();
        m_definitions.push_back(std::move(definition));
        m_byType.insert(raw->instrumentType(), raw);
        const QString number = raw->datensatznummer();
        if (!number.isEmpty() && number != QLatin1String("0")) {
            if (m_byNumber.contains(number)) {
                Logger::warn(QStringLiteral("%1: instrumentTpe=%2 re-defines datensatzNummer=%3")
                                 .arg(kFunction, raw->instrumentType(), number));
            }
            m_byNumber.insert(number, raw);
        }
    }
    rebuildLists();
    emit catalogueChanged();
}

void InstrumentConfiguration::rebuildLists()
{
    for (const auto &definition : m_definitions) {
        const InstrumentDefinition *def = definition.get();
        const QString type = def->instrumentType();
        if (def->isIOSKInstrument() == QLatin1String("true"))
            m_ioskDefinitions.append(def);
        else
            m_nonIoskDefinitions.append(def);
        if (def->subinstrumentVon().isEmpty())
            m_topLevel.append(def);
        if (def->preventAutostart().toLower() == QLatin1String("true"))
            m_preventAutostartTypes.insert(type);
        if (def->hideAutostop().toLower() == QLatin1String("true"))
            m_hideAutostopTypes.insert(type);
        if (def->preventFussschalter().toLower() == QLatin1String("true"))
            m_preventFootSwitchTypes.insert(type);
    }
}

void InstrumentConfiguration::setUserInterfaceLanguage(const QString &language)
{
    m_german = language == QLatin1String("Deutsch") || language == QLatin1String("de");
}

const InstrumentDefinition *InstrumentConfiguration::getInstrumentDefinition(const QString &instrumentType) const
{
    if (instrumentType == QLatin1String("Nothing"))
        return nullptr;
    const InstrumentDefinition *def = m_byType.value(instrumentType);
    if (!def)
        Logger::error(QStringLiteral("InstrumentConfiguration::getInstrumentDefinition: unknown instrumentType=%1")
                          .arg(instrumentType));
    return def;
}

const InstrumentDefinition *InstrumentConfiguration::findInstrumentDefinition(const QString &instrumentType) const
{
    return m_byType.value(instrumentType);
}

const InstrumentDefinition *InstrumentConfiguration::getInstrumentDefinitionByDatensatznummer(
    const QString &number) const
{
    if (number == QLatin1String("-1") || number == QLatin1String("0") || number == QLatin1String("65535"))
        return nullptr;
    return m_byNumber.value(number);
}

QStringList InstrumentConfiguration::instrumentTypes() const
{
    QStringList types;
    for (const auto &definition : m_definitions)
        types.append(definition->instrumentType());
    return types;
}

int InstrumentConfiguration::modeFromKey(const QString &mode)
{
    static const QMetaEnum kEnum = QMetaEnum::fromType<EMode>();
    return kEnum.keyToValue(mode.toLatin1().constData());
}

bool InstrumentConfiguration::isArgonMode(const QString &mode)
{
    return mode == QLatin1String("COAG_M9") || mode == QLatin1String("COAG_M10") || mode == QLatin1String("COAG_M11");
}

bool InstrumentConfiguration::isCutMode(const QString &mode)
{
    const int value = modeFromKey(mode);
    return (value >= CUT_AUS && value <= CUT_M8) || value == COAG_M5;
}

bool InstrumentConfiguration::isCoagMode(const QString &mode)
{
    const int value = modeFromKey(mode);
    return value >= COAG_AUS && value <= COAG_M15;
}

QString InstrumentConfiguration::getModeDisplayName(const QString &mode, bool argon) const
{
    static const QHash<QString, QString> kNames = [] {
        QHash<QString, QString> names = {
            { QStringLiteral("CUT_M1"), QStringLiteral("cutM1") },
            { QStringLiteral("CUT_M2"), QStringLiteral("cutM2") },
            { QStringLiteral("CUT_M3"), QStringLiteral("cutM3") },
            { QStringLiteral("CUT_M4"), QStringLiteral("cutM4 I") },
            { QStringLiteral("CUT_M5"), QStringLiteral("cutM4 Q") },
            { QStringLiteral("CUT_M6"), QStringLiteral("cutM1 bipolar") },
            { QStringLiteral("CUT_M7"), QStringLiteral("cutM3 bipolar") },
            { QStringLiteral("CUT_M8"), QStringLiteral("cutM8") },
            { QStringLiteral("COAG_M12"), QStringLiteral("coagM2 bipolar") },
            { QStringLiteral("COAG_M13"), QStringLiteral("coagM2 bipolar") },
            { QStringLiteral("COAG_M14"), QStringLiteral("coagM3 bipolar") },
            { QStringLiteral("COAG_M15"), QStringLiteral("coagM2 bipolar") },
        };
        for (int i = 1; i <= 11; ++i)
            names.insert(QStringLiteral("COAG_M%1").arg(i), QStringLiteral("coagM%1").arg(i));
        return names;
    }();
    QString name;
    bool off = false;
    if (mode == QLatin1String("CUT_AUS")) {
        name = QCoreApplication::translate("InstrumentConfiguration", "CUT off");
        off = true;
    } else if (mode == QLatin1String("COAG_AUS")) {
        name = QCoreApplication::translate("InstrumentConfiguration", "COAG off");
        off = true;
    } else {
        name = kNames.value(mode, mode);
    }
    if (argon && !off && !isArgonMode(mode))
        name += QStringLiteral(" argon");
    return name;
}

int InstrumentConfiguration::getModeParameterCount(const QString &mode) const
{
    return int(parameterTable().value(mode).size());
}

QString InstrumentConfiguration::getModeParameterValue(const ModeType &entry, int index) const
{
    const QList<ModeType::Field> fields = parameterTable().value(entry.modeName());
    if (index >= 0 && index < fields.size())
        return entry.value(fields.at(index));
    return entry.modeName() == QLatin1String("COAG_AUS") ? QString() : QStringLiteral("?");
}

QString InstrumentConfiguration::getModeValuesString(const ModeType &entry) const
{
    QStringList values;
    const int count = getModeParameterCount(entry.modeName());
    for (int i = 0; i < count; ++i)
        values.append(getModeParameterValue(entry, i));
    return values.join(QStringLiteral(" / "));
}

QList<ModeData *> InstrumentConfiguration::getModeDataList(const QString &mode) const
{
    return m_modeData.value(mode);
}

const QStringList &InstrumentConfiguration::autostartModes()
{
    static const QStringList kModes = { QStringLiteral("COAG_AUS"), QStringLiteral("COAG_M7"),
        QStringLiteral("COAG_M12"), QStringLiteral("COAG_M14") };
    return kModes;
}

const QStringList &InstrumentConfiguration::autostopModes()
{
    static const QStringList kModes = { QStringLiteral("COAG_AUS"), QStringLiteral("COAG_M2"),
        QStringLiteral("COAG_M3"), QStringLiteral("COAG_M12"), QStringLiteral("COAG_M14") };
    return kModes;
}

const QStringList &InstrumentConfiguration::activationIdentifiers()
{
    static const QStringList kIdentifiers = [] {
        QStringList identifiers;
        for (const ActivationType &type : kActivationTypes)
            identifiers.append(QLatin1String(type.identifier));
        return identifiers;
    }();
    return kIdentifiers;
}

quint32 InstrumentConfiguration::activationBit(const QString &identifier)
{
    for (const ActivationType &type : kActivationTypes) {
        if (identifier == QLatin1String(type.identifier))
            return type.bit;
    }
    return 0;
}

QString InstrumentConfiguration::activationImage(const QString &identifier, bool white)
{
    for (const ActivationType &type : kActivationTypes) {
        if (identifier != QLatin1String(type.identifier))
            continue;
        if (!white && type.bit == 0)
            return QString();
        return kActivationImages
            + QStringLiteral("aktivierungsart_%1_%2.png")
                  .arg(white ? QStringLiteral("weiss") : QStringLiteral("grau"), QLatin1String(type.suffix));
    }
    return QString();
}

QList<CatalogueEntry> InstrumentConfiguration::getActivationTypes(const Instrument *instrument) const
{
    QList<CatalogueEntry> rows;
    if (!instrument)
        return rows;
    const UserSet *set = instrument->userSet();
    const auto setupIsOn
        = [set](UserSet::SetupValue value) { return set && set->setup(value) == QLatin1String("EIN"); };
    const QString type = instrument->effectiveType();
    const InstrumentDefinition *def = findInstrumentDefinition(type);
    const bool footSwitchAllowed = !isPreventFootSwitchType(type);
    const QString coagMode = instrument->coag().selektierterMode();
    const auto add = [&rows, instrument](const char *identifier) {
        const QString id = QLatin1String(identifier);
        rows.append({ id, QString(), activationImage(id, false), (instrument->activation() & activationBit(id)) != 0 });
    };
    if (footSwitchAllowed) {
        add("ACTIVATION_1FUSS");
        add("ACTIVATION_2FUSS");
        if (setupIsOn(UserSet::ZweiPedalFussschalterTeilbar)) {
            add("ACTIVATION_2FUSS_CUT");
            add("ACTIVATION_2FUSS_COAG");
        }
    }
    const bool monopolar = !def || def->isMonopolar();
    if (isAutostartMode(coagMode) && !monopolar && setupIsOn(UserSet::AutostartErlaubt)
        && !isPreventAutostartType(type))
        add("ACTIVATION_AUTOSTART");
    if (isAutostopMode(coagMode) && !isHideAutostopType(type))
        add("ACTIVATION_AUTOSTOP");
    return rows;
}

QStringList InstrumentConfiguration::getActivationImages(const Instrument *instrument) const
{
    QStringList images;
    const quint32 bits = instrument ? instrument->activation() : 0;
    for (const ActivationType &type : kActivationTypes) {
        if (type.bit != 0 && (bits & type.bit))
            images.append(activationImage(QLatin1String(type.identifier), true));
    }
    if (images.isEmpty())
        images.append(activationImage(QStringLiteral("ACTIVATION_NOACTIVATION"), true));
    return images;
}

QList<CatalogueEntry> InstrumentConfiguration::instrumentList(bool monopolar) const
{
    QList<CatalogueEntry> rows;
    for (const InstrumentDefinition *def : m_topLevel) {
        if (def->isMonopolar() != monopolar)
            continue;
        rows.append({ def->instrumentType(), def->name(m_german), kInstrumentImages.arg(def->icon()), false });
    }
    return rows;
}

QList<CatalogueEntry> InstrumentConfiguration::monopolarInstruments() const
{
    return instrumentList(true);
}
QList<CatalogueEntry> InstrumentConfiguration::otherInstruments() const
{
    return instrumentList(false);
}

void InstrumentConfiguration::initializeInstrument(
    Instrument *instrument, const QString &type, const InstrumentDefinition *def) const
{
    instrument->setInstrumentType(type);
    if (!def)
        return;
    instrument->setName(def->name(m_german));
    instrument->setDatensatznummer(def->datensatznummer());
    CutCoag &coag = instrument->coag();
    coag.setDatensatznummer(def->datensatznummer());
    coag.setModes(CutCoag::defaultModes(def->coagModes(), def->defaultModulation()));
    const QStringList &coagDefaults = def->defaultCoagModes();
    for (int i = 1; i < coagDefaults.size(); ++i) {
        if (ModeType *mode = coag.findMode(coagDefaults.at(i)))
            mode->setEffekt(def->defaultCoagEffekte().value(i, mode->effekt()));
    }
    coag.setSelektierterMode(coagDefaults.size() > 1 ? coagDefaults.at(1) : QStringLiteral("COAG_AUS"));
    coag.setFlow(def->defaultCoagFlow());
    CutCoag &cut = instrument->cut();
    cut.setDatensatznummer(def->datensatznummer());
    cut.setModes(CutCoag::defaultModes(def->cutModes(), def->defaultModulation()));
    cut.setSelektierterMode(def->defaultCutMode());
    if (ModeType *mode = cut.findMode(def->defaultCutMode()))
        mode->setEffekt(def->defaultCutEffekt());
    cut.setFlow(def->defaultCutFlow());
    quint32 bits = isPreventFootSwitchType(type) ? 0 : Instrument::ActivationOneFoot;
    if (def->hasFingerSwitch())
        bits |= Instrument::ActivationHand;
    instrument->setActivation(bits);
}

QList<CatalogueEntry> InstrumentConfiguration::programGroupCatalogue() const
{
    QList<CatalogueEntry> rows;
    for (const ProgramGroupEntry &entry : kProgramGroups) {
        rows.append({ QLatin1String(entry.identifier),
            m_german ? QString::fromUtf8(entry.german) : QString::fromUtf8(entry.english),
            getPictogramImage(QLatin1String(entry.pictogram)), false });
    }
    return rows;
}

QString InstrumentConfiguration::getProgramGroupText(const QString &identifier) const
{
    for (const ProgramGroupEntry &entry : kProgramGroups) {
        if (identifier == QLatin1String(entry.identifier))
            return m_german ? QString::fromUtf8(entry.german) : QString::fromUtf8(entry.english);
    }
    return QString();
}

QString InstrumentConfiguration::getProgramGroupPictogram(const QString &identifier) const
{
    for (const ProgramGroupEntry &entry : kProgramGroups) {
        if (identifier == QLatin1String(entry.identifier))
            return QLatin1String(entry.pictogram);
    }
    return QStringLiteral("NEUTRAL");
}

QList<CatalogueEntry> InstrumentConfiguration::pictogramList() const
{
    QList<CatalogueEntry> rows;
    const auto &images = pictogramImages();
    for (auto it = images.cbegin(); it != images.cend(); ++it)
        rows.append({ it.key(), QString(), kPictogramImages + it.value(), false });
    return rows;
}

QString InstrumentConfiguration::getPictogramImage(const QString &pictogram) const
{
    const auto &images = pictogramImages();
    return kPictogramImages + images.value(pictogram, images.value(QStringLiteral("NEUTRAL")));
}
