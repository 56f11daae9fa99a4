#include "XmlUserSetReader.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "Logger.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "ProtectedName.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "XmlUserSetFormat.h"

#include <QtCore/QXmlStreamReader>

#include <memory>

using namespace XmlUserSetFormat;

namespace {

// The log names the reading functions after the serializer, as they always were.
QString functionName(const char *name)
{
    return QStringLiteral("XmlUserSetSerializer::") + QLatin1String(name);
}

/// The file keeps the flow on the tenfold scale without decimals.
QString flowFromFile(QStringView text)
{
    if (text.contains(QLatin1Char('.')))
        return text.toString();
    bool ok = false;
    const qlonglong tenfold = text.toLongLong(&ok);
    if (!ok)
        return text.toString();
    return QString::number(double(tenfold) / 10.0, 'f', 1);
}

class Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_reader(data)
        , m_catalogue(InstrumentConfiguration::instance())
    {
    }

    bool parseUserSet(UserSet *set)
    {
        bool seenRoot = false;
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::DTD:
                // Entity declarations are the way to blow a small file up to
                // gigabytes; a user set never needs one.
                return fail("parseUserSet", QStringLiteral("documents with a DTD are refused"));
            case QXmlStreamReader::StartElement:
                if (m_reader.name() != QLatin1String("AnwenderSet")) {
                    // Wrapping elements are passed over token by token.
                    if (++m_depth > XmlUserSetReader::kMaxDepth)
                        return fail("parseUserSet", QStringLiteral("elements nested too deeply"));
                    break;
                }
                if (seenRoot)
                    return fail("parseUserSet", QStringLiteral("second AnwenderSet"));
                seenRoot = true;
                if (!parseAnwenderset(set))
                    return false;
                break;
            case QXmlStreamReader::EndElement:
                --m_depth;
                break;
            case QXmlStreamReader::Invalid:
                return invalid("parseUserSet");
            default:
                break;
            }
        }
        if (m_reader.hasError())
            return invalid("parseUserSet");
        if (!seenRoot)
            return fail("parseUserSet", QStringLiteral("no AnwenderSet element"));
        return true;
    }

    QString errorMessage() const { return m_error; }

private:
    bool fail(const char *function, const QString &message)
    {
        m_error = QStringLiteral("%1: %2 (line %3)").arg(functionName(function), message).arg(m_reader.lineNumber());
        Logger::error(m_error);
        return false;
    }

    bool invalid(const char *function)
    {
        m_error = QStringLiteral("%1: QXmlStreamReader::Invalid %2 (line %3)")
                      .arg(functionName(function), m_reader.errorString())
                      .arg(m_reader.lineNumber());
        Logger::error(m_error);
        return false;
    }

    bool warnFail(const QString &message)
    {
        m_error = message;
        Logger::warn(message);
        return false;
    }

    bool missing(const char *function, const QString &attribute)
    {
        return fail(function, QStringLiteral("missing attribute %1 in %2").arg(attribute, m_reader.name()));
    }

    /// Passes over an unknown element with everything inside it.
    bool skipElement(const char *function)
    {
        int depth = 1;
        while (depth > 0) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                if (m_depth + ++depth > XmlUserSetReader::kMaxDepth)
                    return fail(function, QStringLiteral("elements nested too deeply"));
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            case QXmlStreamReader::Invalid:
                return invalid(function);
            default:
                break;
            }
        }
        return true;
    }

    /// Reads up to the end of the current element; `onChild` handles each
    /// child start element and returns false on failure.
    template<typename Handler>
    bool readChildren(const char *function, Handler &&onChild)
    {
        if (++m_depth > XmlUserSetReader::kMaxDepth)
            return fail(function, QStringLiteral("elements nested too deeply"));
        for (;;) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::EndElement:
                --m_depth;
                return true;
            case QXmlStreamReader::StartElement:
                if (!onChild(m_reader.name()))
                    return false;
                break;
            case QXmlStreamReader::Invalid:
                return invalid(function);
            case QXmlStreamReader::EndDocument:
                return invalid(function);
            default:
                break;
            }
        }
    }

    static QString valueOr(const QXmlStreamAttributes &attributes, QLatin1String name, const QString &fallback)
    {
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.name() == name)
                return attribute.value().toString();
        }
        return fallback;
    }

    bool parseAnwenderset(UserSet *set)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        set->setLastUsedProgramGroup(valueOr(attributes, QLatin1String("ZuletztVerwendeteProgrammgruppe"), QString()));
        set->setDocumentVersion(valueOr(attributes, QLatin1String("XMLDokumententypversion"), QString()));
        int devices = 0;
        int setups = 0;
        const bool ok = readChildren("parseAnwenderset", [&](QStringView name) {
            if (name == QLatin1String("Geraet"))
                return ++devices == 1 ? parseGeraet(set) : fail("parseAnwenderset", QStringLiteral("second Geraet"));
            if (name == QLatin1String("Setup"))
                return ++setups == 1 ? parseSetup(set) : fail("parseAnwenderset", QStringLiteral("second Setup"));
            if (name == QLatin1String("Programmgruppe")) {
                auto group = std::make_unique<ProgramGroup>(set);
                if (!parseProgrammgruppe(group.get()))
                    return false;
                set->appendProgramGroup(group.release());
                return true;
            }
            return skipElement("parseAnwenderset");
        });
        if (!ok)
            return false;
        if (devices != 1 || setups != 1)
            return fail("parseAnwenderset",
                QStringLiteral("expected one Geraet and one Setup, found %1 and %2").arg(devices).arg(setups));
        return true;
    }

    bool parseGeraet(UserSet *set)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const auto &names = UserSet::deviceAttributes();
        for (int i = 0; i < UserSet::DeviceValueCount; ++i) {
            const QString &name = names[size_t(i)];
            if (!attributes.hasAttribute(name))
                return missing("parseGeraet", name);
            const QString value = attributes.value(name).toString();
            if (i == UserSet::DeviceTyp && value.isEmpty())
                return missing("parseGeraet", name);
            set->setDevice(UserSet::DeviceValue(i), value);
        }
        return readChildren("parseGeraet", [this](QStringView) { return skipElement("parseGeraet"); });
    }

    bool readSetupAttributes(UserSet *set, const QString &element, const char *function)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const auto &fields = UserSet::setupFields();
        for (int i = 0; i < UserSet::SetupValueCount; ++i) {
            const UserSet::SetupField &field = fields[size_t(i)];
            if (field.element != element)
                continue;
            const bool present = attributes.hasAttribute(field.attribute);
            const QString value = present ? attributes.value(field.attribute).toString() : field.defaultValue;
            if (field.required && value.isEmpty())
                return missing(function, field.attribute);
            set->setSetup(UserSet::SetupValue(i), value);
        }
        return true;
    }

    bool parseSetup(UserSet *set)
    {
        if (!readSetupAttributes(set, QString(), "parseSetup"))
            return false;
        static const QStringList kChildren = { QStringLiteral("Helligkeit"), QStringLiteral("Lautstaerke"),
            QStringLiteral("APC"), QStringLiteral("EVX") };
        int counts[4] = { 0, 0, 0, 0 };
        const bool ok = readChildren("parseSetup", [&](QStringView name) {
            for (int i = 0; i < kChildren.size(); ++i) {
                if (name != kChildren.at(i))
                    continue;
                if (++counts[i] > 1)
                    return fail("parseSetup", QStringLiteral("second %1").arg(kChildren.at(i)));
                return readSetupAttributes(set, kChildren.at(i), "parseSetup")
                    && readChildren("parseSetup", [this](QStringView) { return skipElement("parseSetup"); });
            }
            return skipElement("parseSetup");
        });
        if (!ok)
            return false;
        for (int i = 0; i < kChildren.size(); ++i) {
            if (counts[i] != 1)
                return fail("parseSetup", QStringLiteral("missing %1").arg(kChildren.at(i)));
        }
        return true;
    }

    bool parseProgrammgruppe(ProgramGroup *group)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        group->setName(valueOr(attributes, QLatin1String("Name"), QString()));
        group->setLastUsedProgram(valueOr(attributes, QLatin1String("ZuletztVerwendetesProgramm"), QString()));
        group->setPictogramIdentifier(
            valueOr(attributes, QLatin1String("Piktogrammidentifier"), QStringLiteral("NEUTRAL")));
        return readChildren("parseProgrammgruppe", [&](QStringView name) {
            if (name != QLatin1String("Programm"))
                return skipElement("parseProgrammgruppe");
            auto program = std::make_unique<UserProgram>(group);
            if (!parseProgramm(program.get()))
                return false;
            group->appendProgram(program.release());
            return true;
        });
    }

    bool parseProgramm(UserProgram *program)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        program->setName(valueOr(attributes, QLatin1String("Name"), QString()));
        program->setNeonatalueberwachung(
            valueOr(attributes, QLatin1String("Neonatalueberwachung"), QStringLiteral("AUS")));
        return readChildren("parseProgramm", [&](QStringView name) {
            if (name != QLatin1String("Ebene"))
                return skipElement("parseProgramm");
            auto level = std::make_unique<ProgramLevel>(program);
            if (!parseEbene(level.get()))
                return false;
            program->appendLevel(level.release());
            return true;
        });
    }

    bool parseEbene(ProgramLevel *level)
    {
        level->setName(valueOr(m_reader.attributes(), QLatin1String("Name"), QString()));
        return readChildren("parseEbene", [&](QStringView name) {
            if (name != QLatin1String("Instrument"))
                return skipElement("parseEbene");
            auto instrument = std::make_unique<Instrument>(level);
            if (!parseInstrument(instrument.get()))
                return false;
            level->appendInstrument(instrument.release());
            return true;
        });
    }

    QString modulationDefault(const QString &number) const
    {
        const InstrumentDefinition *def = m_catalogue->getInstrumentDefinitionByDatensatznummer(number);
        return def ? def->defaultModulation() : QString();
    }

    bool parseInstrument(Instrument *instrument)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QString name = valueOr(attributes, QLatin1String("Name"), QString());
        QString type = valueOr(attributes, QLatin1String("Typ"), QString());
        const QString number = valueOr(attributes, QLatin1String("Datensatznummer"), QStringLiteral("0"));
        if (type == QLatin1String("APCapplicator_biegbar"))
            type = QStringLiteral("APC_Applikator");
        if (number == kHybridVexNumber)
            type = kHybridVexType;
        instrument->setName(name);
        instrument->setInstrumentType(type);
        instrument->setDatensatznummer(number);
        const InstrumentDefinition *def = m_catalogue->findInstrumentDefinition(type);
        const QString modulation = modulationDefault(number);

        bool haveEvx = false;
        bool haveIrx = false;
        bool haveCoag = false;
        bool haveCut = false;
        const bool ok = readChildren("parseInstrument", [&](QStringView child) {
            if (child == QLatin1String("EVX") || child == QLatin1String("IRX")) {
                const bool evx = child == QLatin1String("EVX");
                const QXmlStreamAttributes values = m_reader.attributes();
                QString rate = valueOr(values, QLatin1String("OPAbsaugrate"), QString());
                if (evx && rate.isEmpty())
                    rate = QStringLiteral("60");
                const bool on = values.value(QLatin1String("EinAus")) == QLatin1String("EIN");
                evx ? instrument->setEvx(rate, on) : instrument->setIrx(rate, on);
                (evx ? haveEvx : haveIrx) = true;
                return readChildren("parseInstrument", [this](QStringView) { return skipElement("parseInstrument"); });
            }
            if (child == QLatin1String("Coag")) {
                haveCoag = true;
                return parseSide("parseCoag", instrument, instrument->coag(), def, modulation);
            }
            if (child == QLatin1String("Cut")) {
                haveCut = true;
                if (!parseSide("parseCut", instrument, instrument->cut(), def, modulation))
                    return false;
                if (instrument->datensatznummer() == kHybridVexNumber && !instrument->subInstruments().isEmpty()) {
                    // The hybrid probe cuts with its first sub-instrument's settings.
                    const CutCoag &first = instrument->subInstruments().first()->cut();
                    CutCoag &cut = instrument->cut();
                    cut.setSelektierterMode(first.selektierterMode());
                    cut.setFlow(first.flow());
                    cut.setModes(first.modes());
                }
                return true;
            }
            if (child == QLatin1String("Alias")) {
                const QXmlStreamAttributes values = m_reader.attributes();
                instrument->setAlias(valueOr(values, QLatin1String("Typ"), QString()),
                    valueOr(values, QLatin1String("Name"), QString()));
                return readChildren("parseInstrument", [this](QStringView) { return skipElement("parseInstrument"); });
            }
            return skipElement("parseInstrument");
        });
        if (!ok)
            return false;

        if (!haveEvx)
            instrument->setEvx(QStringLiteral("60"), false);
        if (!haveIrx)
            instrument->setIrx(QStringLiteral("0"), false);
        if (!haveCoag) {
            instrument->coag().setSelektierterMode(QStringLiteral("COAG_AUS"));
            if (def)
                instrument->coag().setModes(CutCoag::defaultModes(def->coagModes(), modulation));
        }
        if (!haveCut) {
            instrument->cut().setSelektierterMode(QStringLiteral("CUT_AUS"));
            if (def)
                instrument->cut().setModes(CutCoag::defaultModes(def->cutModes(), modulation));
        }
        instrument->deriveActivation();
        if (!def) {
            return warnFail(
                QStringLiteral("%1: The instrument %2 contains a wrong instrument Type. This was read from a XML File.")
                    .arg(functionName("parseInstrument"), name));
        }
        enforceProtectedName(instrument, def);
        return true;
    }

    void enforceProtectedName(Instrument *instrument, const InstrumentDefinition *def) const
    {
        instrument->setName(ProtectedName::enforce(instrument->name(), def->name(m_catalogue->isGerman())));
    }

    /// `Coag` or `Cut` of an instrument.
    bool parseSide(const char *function, Instrument *instrument, CutCoag &side, const InstrumentDefinition *def,
        const QString &modulation)
    {
        const bool coag = side.side() == CutCoag::Coag;
        const QXmlStreamAttributes attributes = m_reader.attributes();
        side.setAktivierungsquelle(valueOr(attributes, QLatin1String("Aktivierungsquelle"), QStringLiteral("AUS")));
        side.setSelektierterMode(valueOr(attributes, QLatin1String("SelektierterMode"),
            coag ? QStringLiteral("COAG_AUS") : QStringLiteral("CUT_AUS")));
        if (coag)
            side.setAutostop(valueOr(attributes, QLatin1String("Autostop"), QStringLiteral("AUS")));
        side.setDatensatznummer(valueOr(attributes, QLatin1String("Datensatznummer"), QString()));
        readFlow(attributes, side, def);
        QList<bool> used(instrument->subInstruments().size(), false);
        return readChildren(function, [&](QStringView child) {
            if (child == QLatin1String("Modes"))
                return parseModes(side.modes(), modulation);
            if (child == QLatin1String("SubInstrument"))
                return coag ? parseSubInstrument("parseSubInstrumentCoag", instrument, CutCoag::Coag, used)
                            : parseSubInstrument("parseSubInstrumentCut", instrument, CutCoag::Cut, used);
            return skipElement(function);
        });
    }

    static void readFlow(const QXmlStreamAttributes &attributes, CutCoag &side, const InstrumentDefinition *def)
    {
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.name() == QLatin1String("Flow")) {
                side.setFlow(flowFromFile(attribute.value()));
                return;
            }
        }
        if (def)
            side.setFlow(side.side() == CutCoag::Coag ? def->defaultCoagFlow() : def->defaultCutFlow());
    }

    bool parseSubInstrument(const char *function, Instrument *instrument, CutCoag::Side sideKind, QList<bool> &used)
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QString number = valueOr(attributes, QLatin1String("Datensatznummer"), QString());
        Instrument *sub = nullptr;
        const QList<Instrument *> &subs = instrument->subInstruments();
        for (int i = 0; i < subs.size() && !sub; ++i) {
            if (!used.at(i) && subs.at(i)->datensatznummer() == number) {
                used[i] = true;
                sub = subs.at(i);
            }
        }
        const InstrumentDefinition *def = m_catalogue->getInstrumentDefinitionByDatensatznummer(number);
        if (!sub) {
            sub = new Instrument(instrument->level());
            sub->setInstrumentType(def ? def->instrumentType() : QString());
            sub->setName(def ? def->name(m_catalogue->isGerman()) : QString());
            sub->setDatensatznummer(number);
            instrument->appendSubInstrument(sub);
            used.append(true);
        }
        CutCoag &side = sideKind == CutCoag::Coag ? sub->coag() : sub->cut();
        side.setSelektierterMode(valueOr(attributes, QLatin1String("SelektierterMode"),
            sideKind == CutCoag::Coag ? QStringLiteral("COAG_AUS") : QStringLiteral("CUT_AUS")));
        if (sideKind == CutCoag::Coag)
            side.setAutostop(valueOr(attributes, QLatin1String("Autostop"), QStringLiteral("AUS")));
        side.setDatensatznummer(number);
        readFlow(attributes, side, def);
        const QString modulation = def ? def->defaultModulation() : QString();
        return readChildren(function, [&](QStringView child) {
            if (child == QLatin1String("Modes"))
                return parseModes(side.modes(), modulation);
            return skipElement(function);
        });
    }

    bool parseModes(QList<ModeType> &modes, const QString &modulation)
    {
        modes.clear();
        return readChildren("parseModes", [&](QStringView child) {
            if (child != QLatin1String("Mode"))
                return skipElement("parseModes");
            ModeType mode;
            for (const QXmlStreamAttribute &attribute : m_reader.attributes()) {
                const int field = ModeType::fieldOf(attribute.name());
                if (field >= 0)
                    mode.setValue(ModeType::Field(field), attribute.value().toString());
            }
            if (mode.modeName().isEmpty())
                return missing("parseModes", QStringLiteral("Name"));
            mode.applyDefaults(modulation);
            modes.append(mode);
            return readChildren("parseModes", [this](QStringView) { return skipElement("parseModes"); });
        });
    }

    QXmlStreamReader m_reader;
    const InstrumentConfiguration *m_catalogue;
    int m_depth = 0;
    QString m_error;
};


} // namespace

bool XmlUserSetReader::read(const QByteArray &data, UserSet *userSet)
{
    Reader reader(data);
    const bool ok = reader.parseUserSet(userSet);
    m_error = ok ? QString() : reader.errorMessage();
    return ok;
}
