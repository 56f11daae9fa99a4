// The program editor's modes, effects, EVX and IRX, activation and the mode
// edit. Every value that reaches the tree is held to the mode's descriptors
// and the instrument's catalogue limits: the generator runs what is written.
#include "ProgramViewController.h"

#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "InstrumentListModel.h"
#include "Logger.h"
#include "ModeData.h"
#include "ModeListModel.h"
#include "ProgramGroup.h"
#include "ProgramLevel.h"
#include "StringListElement.h"
#include "StringListModel.h"
#include "UserProgram.h"
#include "UserSet.h"
#include "UserSetStorage.h"

#include <cmath>

namespace {

const QString kCoagM6 = QStringLiteral("COAG_M6");
const QString kOn = QStringLiteral("EIN");
const QString kOff = QStringLiteral("AUS");

/// The suction and irrigation rates the menus offer.
const QStringList &rateValues()
{
    static const QStringList kRates { QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("60"),
        QStringLiteral("80"), QStringLiteral("100") };
    return kRates;
}

const InstrumentDefinition *definitionOf(const Instrument *instrument)
{
    return instrument ? InstrumentConfiguration::instance()->findInstrumentDefinition(instrument->effectiveType())
                      : nullptr;
}

const QStringList &allowedModes(const InstrumentDefinition *def, bool isCut)
{
    static const QStringList kNone;
    return !def ? kNone : isCut ? def->cutModes() : def->coagModes();
}

/// A stored parameter as the editor shows it: effects with decimals are kept
/// tenfold, switches as "EIN"/"AUS", the flow on the plain scale.
double shownValue(const ModeData *descriptor, const QString &stored)
{
    if (descriptor->kind() == ModeData::OnOff)
        return stored == kOn ? 1.0 : 0.0;
    const double value = stored.toDouble();
    if (descriptor->kind() == ModeData::DecimalNumber && !descriptor->isFlow())
        return value / 10.0;
    return value;
}

QString storedValue(const ModeData *descriptor, double shown)
{
    if (descriptor->kind() == ModeData::OnOff)
        return shown >= 0.5 ? kOn : kOff;
    if (descriptor->isFlow())
        return QString::number(shown, 'f', descriptor->decimals());
    if (descriptor->kind() == ModeData::DecimalNumber)
        return QString::number(std::lround(shown * 10.0));
    return QString::number(std::lround(shown));
}

/// A value from the scenes: a number, a flag or "EIN"/"AUS".
bool toNumber(const QVariant &value, double &number)
{
    if (value.typeId() == QMetaType::Bool) {
        number = value.toBool() ? 1.0 : 0.0;
        return true;
    }
    const QString text = value.toString();
    if (text == kOn || text == kOff) {
        number = text == kOn ? 1.0 : 0.0;
        return true;
    }
    bool ok = false;
    number = value.toDouble(&ok);
    return ok && std::isfinite(number);
}

/// The instrument's catalogue limits for one mode, on the editor's scale.
void applyLimits(ModeListModel &model, const InstrumentDefinition *def, const QString &mode, bool isCut)
{
    model.resetLimits();
    if (!def)
        return;
    double minimum = 0;
    double maximum = 0;
    if (def->getFlowRange(minimum, maximum))
        model.setFlowLimits(minimum, maximum);
    const int index = int(allowedModes(def, isCut).indexOf(mode)) - 1;
    double limit = 0;
    if (index < 0 || !(isCut ? def->getMaxCutEffect(index, limit) : def->getMaxCoagEffect(index, limit)))
        return;
    for (const ModeData *descriptor : model.descriptors()) {
        if (descriptor->label() == QLatin1String("Effekt") && descriptor->kind() == ModeData::DecimalNumber)
            limit /= 10.0;
    }
    isCut ? model.setMaxCutEffect(limit) : model.setMaxCoagEffect(limit);
}

/// The current value of parameter `index` of a side's mode entry.
QString storedParameter(const CutCoag &side, const QString &mode, const ModeData *descriptor)
{
    if (descriptor->isFlow())
        return side.flow();
    const ModeType *entry = side.findMode(mode);
    if (entry)
        return entry->attribute(descriptor->attributeName());
    ModeType fresh(mode);
    fresh.applyDefaults(QString());
    return fresh.attribute(descriptor->attributeName());
}

/// Writes one parameter, held to the instrument's own limits; true when the
/// tree changed. `clamped` tells whether the value had to be held.
bool writeParameter(Instrument *instrument, bool isCut, const QString &mode, int index, double value, bool &clamped)
{
    const InstrumentDefinition *def = definitionOf(instrument);
    if (!allowedModes(def, isCut).contains(mode))
        return false;
    ModeListModel limits;
    limits.setDescriptors(InstrumentConfiguration::instance()->getModeDataList(mode), isCut);
    applyLimits(limits, def, mode, isCut);
    const ModeData *descriptor = limits.descriptors().value(index);
    if (!descriptor)
        return false;
    clamped = value < limits.minimumOf(index) || value > limits.maximumOf(index);
    const QString stored = storedValue(descriptor, limits.bounded(index, value).toDouble());
    CutCoag &side = isCut ? instrument->cut() : instrument->coag();
    if (side.findMode(mode) && storedParameter(side, mode, descriptor) == stored)
        return false;
    return side.setModeParameter(mode, index, stored);
}

} // namespace

// ---------------------------------------------------------------- follow-ons

void ProgramViewController::adoptCoagM6(Instrument *instrument) const
{
    ProgramLevel *owner = instrument ? instrument->level() : nullptr;
    if (!owner || instrument->coag().selektierterMode() != kCoagM6)
        return;
    for (const Instrument *sibling : owner->instruments()) {
        const ModeType *shared = sibling == instrument || sibling->coag().selektierterMode() != kCoagM6
            ? nullptr
            : sibling->coag().findMode(kCoagM6);
        if (!shared)
            continue;
        const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(kCoagM6);
        for (int index = 0; index < descriptors.size(); ++index) {
            if (descriptors.at(index)->isFlow())
                continue;
            bool clamped = false;
            writeParameter(instrument, false, kCoagM6, index,
                shownValue(descriptors.at(index), shared->attribute(descriptors.at(index)->attributeName())), clamped);
        }
        return;
    }
}

void ProgramViewController::conformToCatalogue(Instrument *instrument) const
{
    const InstrumentDefinition *def = definitionOf(instrument);
    if (!def)
        return;
    for (bool isCut : { true, false }) {
        CutCoag &side = isCut ? instrument->cut() : instrument->coag();
        const QStringList &allowed = allowedModes(def, isCut);
        // Entries for modes the type does not have would reach the file.
        QList<ModeType> kept;
        for (const QString &mode : allowed) {
            const ModeType *existing = side.findMode(mode);
            ModeType entry = existing ? *existing : ModeType(mode);
            if (!existing)
                entry.applyDefaults(def->defaultModulation());
            kept << entry;
        }
        side.setModes(kept);
        if (!allowed.contains(side.selektierterMode()))
            side.setSelektierterMode(isCut ? def->defaultCutMode() : def->defaultCoagModes().value(1, allowed.first()));
        for (const QString &mode : allowed) {
            const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(mode);
            for (int index = 0; index < descriptors.size(); ++index) {
                if (descriptors.at(index)->isFlow() && (!def->hasGasChannel() || mode != side.selektierterMode()))
                    continue;
                bool clamped = false;
                writeParameter(instrument, isCut, mode, index,
                    shownValue(descriptors.at(index), storedParameter(side, mode, descriptors.at(index))), clamped);
            }
        }
    }
}

// ---------------------------------------------------------------- modes

StringListModel *ProgramViewController::getCutModes(const QString &instrumentId)
{
    StringListModel *model = refill(m_cutModes);
    const Instrument *shown = instrument(instrumentId);
    const InstrumentDefinition *def = definitionOf(shown);
    for (const QString &mode : allowedModes(def, true)) {
        model->append(new StringListElement(mode,
            InstrumentConfiguration::instance()->getModeDisplayName(mode, def->hasGasChannel()), QStringLiteral("CUT"),
            mode == shown->cut().selektierterMode(), false));
    }
    return model;
}

StringListModel *ProgramViewController::getCoagModes(const QString &instrumentId)
{
    StringListModel *model = refill(m_coagModes);
    const Instrument *shown = instrument(instrumentId);
    const InstrumentDefinition *def = definitionOf(shown);
    for (const QString &mode : allowedModes(def, false)) {
        model->append(new StringListElement(mode,
            InstrumentConfiguration::instance()->getModeDisplayName(mode, def->hasGasChannel()), QStringLiteral("COAG"),
            mode == shown->coag().selektierterMode(), false));
    }
    return model;
}

void ProgramViewController::setCurrentCutMode(const QString &instrumentId, const QString &cutModeId, int row)
{
    Instrument *changed = instrument(instrumentId);
    const InstrumentDefinition *def = definitionOf(changed);
    if (!changed || changed->cut().selektierterMode() == cutModeId)
        return;
    if (!allowedModes(def, true).contains(cutModeId)) {
        Logger::error(QStringLiteral("ProgramViewController::setCurrentCutMode: cutModeId=%1 not allowed for "
                                     "instrumentType=%2")
                          .arg(cutModeId, changed->effectiveType()));
        return;
    }
    changed->cut().setSelektierterMode(cutModeId);
    conformToCatalogue(changed);
    markModified();
    changed->touch(row);
}

void ProgramViewController::setCurrentCoagMode(const QString &instrumentId, const QString &coagModeId, int row)
{
    Instrument *changed = instrument(instrumentId);
    const InstrumentDefinition *def = definitionOf(changed);
    if (!changed || changed->coag().selektierterMode() == coagModeId)
        return;
    if (!allowedModes(def, false).contains(coagModeId)) {
        Logger::error(QStringLiteral("ProgramViewController::setCurrentCoagMode: coagModeId=%1 not allowed for "
                                     "instrumentType=%2")
                          .arg(coagModeId, changed->effectiveType()));
        return;
    }
    changed->coag().setSelektierterMode(coagModeId);
    conformToCatalogue(changed);
    adoptCoagM6(changed);
    // Autostart and autostop exist only for their modes.
    const InstrumentConfiguration *catalogue = InstrumentConfiguration::instance();
    if (changed->hasActivation(Instrument::ActivationAutostart) && !catalogue->isAutostartMode(coagModeId))
        changed->setActivationType(QStringLiteral("ACTIVATION_AUTOSTART"), false);
    if (changed->hasActivation(Instrument::ActivationAutostop) && !catalogue->isAutostopMode(coagModeId))
        changed->setActivationType(QStringLiteral("ACTIVATION_AUTOSTOP"), false);
    markModified();
    changed->touch(row);
}

void ProgramViewController::setCutEffect(
    const QString &instrumentId, const QString &cutModeId, int effectIndex, const QVariant &effectValue, int row)
{
    setEffect(QStringLiteral("ProgramViewController::setCutEffect"), instrumentId, cutModeId, effectIndex, effectValue,
        true, row);
}

void ProgramViewController::setCoagEffect(
    const QString &instrumentId, const QString &coagModeId, int effectIndex, const QVariant &effectValue, int row)
{
    setEffect(QStringLiteral("ProgramViewController::setCoagEffect"), instrumentId, coagModeId, effectIndex,
        effectValue, false, row);
}

bool ProgramViewController::setEffect(const QString &function, const QString &instrumentId, const QString &modeId,
    int effectIndex, const QVariant &effectValue, bool isCut, int row)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed)
        return false;
    const int count = int(InstrumentConfiguration::instance()->getModeDataList(modeId).size());
    if (effectIndex < 0 || effectIndex >= count) {
        Logger::error(
            QStringLiteral("%1: Invalid effectIndex=%2 for mode=%3").arg(function).arg(effectIndex).arg(modeId));
        return false;
    }
    if (!allowedModes(definitionOf(changed), isCut).contains(modeId)) {
        Logger::error(QStringLiteral("%1: mode=%2 not allowed for instrumentType=%3")
                          .arg(function, modeId, changed->effectiveType()));
        return false;
    }
    double value = 0;
    if (!toNumber(effectValue, value)) {
        Logger::error(QStringLiteral("%1: Invalid effectValue=%2").arg(function, effectValue.toString()));
        return false;
    }
    // COAG_M6 drives two instruments together: they share its parameters
    // within their level.
    QList<Instrument *> targets { changed };
    if (!isCut && modeId == kCoagM6) {
        for (Instrument *sibling : changed->level()->instruments()) {
            if (sibling->coag().selektierterMode() != kCoagM6)
                continue;
            if (!targets.contains(sibling))
                targets << sibling;
            for (Instrument *sub : sibling->subInstruments()) {
                if (!targets.contains(sub))
                    targets << sub;
            }
        }
    }
    bool anyChanged = false;
    for (Instrument *target : qAsConst(targets)) {
        bool clamped = false;
        const bool written = writeParameter(target, isCut, modeId, effectIndex, value, clamped);
        if (clamped) {
            Logger::warn(QStringLiteral("%1: effectValue=%2 out of range for mode=%3 of instrumentId=%4: clamped")
                             .arg(function, QString::number(value), modeId, target->id()));
        }
        if (written) {
            anyChanged = true;
            target->touch(target == changed ? row : -1);
        }
    }
    if (anyChanged) {
        markModified();
        if (InstrumentListModel *model = m_instrumentModels.value(changed->level()->id()))
            model->refresh();
    }
    return anyChanged;
}

// ---------------------------------------------------------------- EVX and IRX

StringListModel *ProgramViewController::getEvxValues(const QString &instrumentId)
{
    StringListModel *model = refill(m_evxValues);
    const Instrument *shown = instrument(instrumentId);
    for (const QString &rate : rateValues())
        model->append(
            new StringListElement(rate, rate, QStringLiteral("EVX"), shown && shown->evxRate() == rate, false));
    return model;
}

int ProgramViewController::getEvxMenuSelectedIndex(const QString &instrumentId) const
{
    const Instrument *shown = instrument(instrumentId);
    return shown ? int(rateValues().indexOf(shown->evxRate())) : -1;
}

void ProgramViewController::setEvxValue(const QString &instrumentId, const QString &evxValueId)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed || changed->evxRate() == evxValueId)
        return;
    if (!rateValues().contains(evxValueId)) {
        Logger::error(QStringLiteral("ProgramViewController::setEvxValue: Invalid evxValueId=%1").arg(evxValueId));
        return;
    }
    changed->setEvx(evxValueId, changed->evxOn());
    markModified();
    changed->touch();
}

void ProgramViewController::setEvxEnabled(const QString &instrumentId, bool evxEnabled, int row)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed || changed->evxOn() == evxEnabled)
        return;
    const InstrumentDefinition *def = definitionOf(changed);
    if (evxEnabled && (!def || def->evxAllowed() != kOn)) {
        Logger::error(QStringLiteral("ProgramViewController::setEvxEnabled: EVX not allowed for instrumentType=%1")
                          .arg(changed->effectiveType()));
        return;
    }
    if (evxEnabled && changed->irxOn())
        changed->setIrx(changed->irxRate(), false);
    changed->setEvx(changed->evxRate(), evxEnabled);
    markModified();
    changed->touch(row);
}

StringListModel *ProgramViewController::getIrxValues(const QString &instrumentId)
{
    StringListModel *model = refill(m_irxValues);
    const Instrument *shown = instrument(instrumentId);
    for (const QString &rate : rateValues())
        model->append(
            new StringListElement(rate, rate, QStringLiteral("IRX"), shown && shown->irxRate() == rate, false));
    return model;
}

void ProgramViewController::setIrxValue(const QString &instrumentId, const QString &irxValueId)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed || changed->irxRate() == irxValueId)
        return;
    if (!rateValues().contains(irxValueId)) {
        Logger::error(QStringLiteral("ProgramViewController::setIrxValue: Invalid irxValueId=%1").arg(irxValueId));
        return;
    }
    changed->setIrx(irxValueId, changed->irxOn());
    markModified();
    changed->touch();
}

void ProgramViewController::setIrxEnabled(const QString &instrumentId, bool irxEnabled, int row)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed || changed->irxOn() == irxEnabled)
        return;
    if (irxEnabled && changed->evxOn())
        changed->setEvx(changed->evxRate(), false);
    changed->setIrx(changed->irxRate(), irxEnabled);
    markModified();
    changed->touch(row);
}

// ---------------------------------------------------------------- activation

StringListModel *ProgramViewController::getActivationMenuItems(const QString &instrumentId)
{
    StringListModel *model = refill(m_activationItems);
    if (const Instrument *shown = instrument(instrumentId)) {
        for (const CatalogueEntry &entry : InstrumentConfiguration::instance()->getActivationTypes(shown))
            model->append(new StringListElement(entry.identifier, entry.identifier, entry.image, entry.checked));
    }
    return model;
}

void ProgramViewController::setActivationModeSelected(
    const QString &instrumentId, const QString &activationId, bool isActivation, int row)
{
    Instrument *changed = instrument(instrumentId);
    if (!changed)
        return;
    const quint32 bit = InstrumentConfiguration::activationBit(activationId);
    if (bit != 0 && changed->hasActivation(Instrument::ActivationBit(bit)) == isActivation)
        return;
    if (isActivation) {
        bool offered = false;
        for (const CatalogueEntry &entry : InstrumentConfiguration::instance()->getActivationTypes(changed))
            offered = offered || entry.identifier == activationId;
        if (!offered) {
            Logger::error(QStringLiteral("ProgramViewController::setActivationModeSelected: activationId=%1 not "
                                         "offered for instrumentId=%2")
                              .arg(activationId, instrumentId));
            return;
        }
    }
    if (!changed->setActivationType(activationId, isActivation))
        return;
    markModified();
    changed->touch(row);
}

// ---------------------------------------------------------------- the mode edit

void ProgramViewController::editBegin(const QString &instrumentId, const QString &modeId, int indexItem)
{
    m_editInstrumentId.clear();
    m_editModeId.clear();
    m_modeModel->clear();
    const Instrument *edited = instrument(instrumentId);
    const InstrumentDefinition *def = definitionOf(edited);
    const bool cutAllows = allowedModes(def, true).contains(modeId);
    const bool coagAllows = allowedModes(def, false).contains(modeId);
    if (!cutAllows && !coagAllows) {
        if (edited) {
            Logger::error(QStringLiteral("ProgramViewController::editBegin: mode=%1 not allowed for instrumentType=%2")
                              .arg(modeId, edited->effectiveType()));
        }
        return;
    }
    // COAG_M5 may also serve as a cut mode; the side is the one that selects it.
    const bool isCut = cutAllows && (!coagAllows || edited->cut().selektierterMode() == modeId);
    const CutCoag &side = isCut ? edited->cut() : edited->coag();
    const QList<ModeData *> descriptors = InstrumentConfiguration::instance()->getModeDataList(modeId);
    m_modeModel->setDescriptors(descriptors, isCut);
    applyLimits(*m_modeModel, def, modeId, isCut);
    m_modeModel->setShowLast(def->hasGasChannel());
    QVariantList values;
    for (const ModeData *descriptor : descriptors)
        values << shownValue(descriptor, storedParameter(side, modeId, descriptor));
    m_modeModel->setValues(values);
    m_editInstrumentId = instrumentId;
    m_editModeId = modeId;
    m_editIsCut = isCut;
    m_editRow = indexItem;
}

bool ProgramViewController::editSave()
{
    if (m_editModeId.isEmpty() || !instrument(m_editInstrumentId))
        return false;
    const QString function = QStringLiteral("ProgramViewController::editSave");
    bool written = false;
    for (int index = 0; index < m_modeModel->rowCount(); ++index) {
        written = setEffect(function, m_editInstrumentId, m_editModeId, index, m_modeModel->value(index), m_editIsCut,
                      m_editRow)
            || written;
    }
    return written;
}

void ProgramViewController::editCancel()
{
    // Only the open mode edit goes: the value picker's Escape must not take
    // the program's other edits with it. Discarding the whole set is the
    // page's cancel, which restores the set from its file.
    m_editInstrumentId.clear();
    m_editModeId.clear();
    m_modeModel->clear();
}
