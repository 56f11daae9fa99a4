#include "InstrumentListModel.h"

#include "CutCoag.h"
#include "Instrument.h"
#include "InstrumentConfiguration.h"
#include "InstrumentDefinition.h"
#include "ProtectedName.h"

namespace {

const QString kCoagM6 = QStringLiteral("COAG_M6");
const QString kInstrumentImage = QStringLiteral("qrc:/Resources/Images/CopyModul/Instrumente/instrument_weiss_%1");
const QString kActivationImages = QStringLiteral("qrc:/Resources/Images/CopyModul/Aktivierungselemente/");

bool selectsCoagM6(const Instrument *instrument)
{
    return instrument && instrument->coag().selektierterMode() == kCoagM6;
}

QString typeName(const InstrumentDefinition *def, const QString &type)
{
    if (!def)
        return ProtectedName::toDisplayName(type);
    return ProtectedName::toDisplayName(def->name(InstrumentConfiguration::instance()->isGerman()));
}

QString modeText(const CutCoag &side, const InstrumentDefinition *def)
{
    const QString mode = side.selektierterMode();
    const QStringList &allowed = side.side() == CutCoag::Cut ? (def ? def->cutModes() : QStringList())
                                                             : (def ? def->coagModes() : QStringList());
    if (!def || !allowed.contains(mode))
        return QStringLiteral("no sync");
    return InstrumentConfiguration::instance()->getModeDisplayName(mode, def->hasGasChannel());
}

QString effectText(const CutCoag &side, const InstrumentDefinition *def)
{
    const ModeType *entry = side.selectedModeEntry();
    if (!entry)
        return QString();
    QString text = InstrumentConfiguration::instance()->getModeValuesString(*entry);
    if (def && def->hasGasChannel())
        text += QLatin1Char('/') + side.flow();
    return text;
}

QString activationImage(const QStringList &images, int index)
{
    if (index >= images.size())
        return QString();
    const QString &image = images.at(index);
    return image.startsWith(QLatin1String("qrc:")) ? image : kActivationImages + image;
}

} // namespace

InstrumentListModel::InstrumentListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int InstrumentListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant InstrumentListModel::data(const QModelIndex &index, int role) const
{
    const Instrument *instrument = index.parent().isValid() ? nullptr : instrumentAt(index.row());
    if (!instrument)
        return QVariant();
    const QString type = instrument->effectiveType();
    const InstrumentDefinition *def = InstrumentConfiguration::instance()->findInstrumentDefinition(type);
    switch (role) {
    case InstrumentIdRole:
        return instrument->id();
    case InstrumentNameRole:
        return ProtectedName::toDisplayName(instrument->effectiveName());
    case InstrumentTypeRole:
        return type;
    case InstrumentTypeDisplayRole: {
        const QString shownType = instrument->aliasType().isEmpty() ? type : instrument->aliasType();
        const InstrumentDefinition *shownDef = InstrumentConfiguration::instance()->findInstrumentDefinition(shownType);
        const bool mono = !shownDef || shownDef->isMonopolar();
        return typeName(shownDef, shownType) + (mono ? QStringLiteral(" mono") : QStringLiteral(" bipo"));
    }
    case InstrumentTypeOnlyRole:
        return typeName(def, type);
    case InstrumentCutModeRole:
        return instrument->cut().selektierterMode();
    case InstrumentCutModeTextRole:
        return modeText(instrument->cut(), def);
    case InstrumentCutEffectRole:
        return effectText(instrument->cut(), def);
    case InstrumentCoagModeRole:
        return instrument->coag().selektierterMode();
    case InstrumentCoagModeTextRole:
        return modeText(instrument->coag(), def);
    case InstrumentCoagEffectRole:
        return effectText(instrument->coag(), def);
    case InstrumentEvxValueRole:
        return instrument->evxRate();
    case InstrumentEvxEnableRole:
        return instrument->evxOn();
    case InstrumentIrxValueRole:
        return instrument->irxRate();
    case InstrumentIrxEnableRole:
        return instrument->irxOn();
    case InstrumentActivationImage1Role:
    case InstrumentActivationImage2Role:
    case InstrumentActivationImage3Role:
        return activationImage(InstrumentConfiguration::instance()->getActivationImages(instrument),
            role - InstrumentActivationImage1Role);
    case InstrumentMarkedForDeleteRole:
        return instrument->isMarkedForDelete();
    case CoagM6CountRole:
        return m_coagM6Count;
    case InstrumentCanHaveEvxRole:
        return def && def->evxAllowed() == QLatin1String("EIN");
    case InstrumentImageSourceRole:
        return def ? QVariant(kInstrumentImage.arg(def->icon())) : QVariant();
    case InstrumentParentId:
        return instrument->parentInstrumentId();
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> InstrumentListModel::roleNames() const
{
    return {
        { InstrumentIdRole, "instrumentIdRole" },
        { InstrumentNameRole, "instrumentNameRole" },
        { InstrumentTypeRole, "instrumentTypeRole" },
        { InstrumentTypeDisplayRole, "instrumentTypeDisplayRole" },
        { InstrumentTypeOnlyRole, "instrumentTypeOnlyRole" },
        { InstrumentCutModeRole, "instrumentCutModeRole" },
        { InstrumentCutModeTextRole, "instrumentCutModeTextRole" },
        { InstrumentCutEffectRole, "instrumentCutEffectRole" },
        { InstrumentCoagModeRole, "instrumentCoagModeRole" },
        { InstrumentCoagModeTextRole, "instrumentCoagModeTextRole" },
        { InstrumentCoagEffectRole, "instrumentCoagEffectRole" },
        { InstrumentEvxValueRole, "instrumentEvxValueRole" },
        { InstrumentEvxEnableRole, "instrumentEvxEnableRole" },
        { InstrumentIrxValueRole, "instrumentIrxValueRole" },
        { InstrumentIrxEnableRole, "instrumentIrxEnableRole" },
        { InstrumentActivationImage1Role, "instrumentActivationImage1Role" },
        { InstrumentActivationImage2Role, "instrumentActivationImage2Role" },
        { InstrumentActivationImage3Role, "instrumentActivationImage3Role" },
        { InstrumentMarkedForDeleteRole, "instrumentMarkedForDeleteRole" },
        { CoagM6CountRole, "coagM6CountRole" },
        { InstrumentCanHaveEvxRole, "instrumentCanHaveEvxRole" },
        { InstrumentImageSourceRole, "instrumentImageSourceRole" },
        { InstrumentParentId, "instrumentParentId" },
    };
}

void InstrumentListModel::setInstruments(const QList<Instrument *> &instruments)
{
    beginResetModel();
    for (const Row &row : qAsConst(m_rows)) {
        if (row.instrument)
            row.instrument->disconnect(this);
    }
    m_rows.clear();
    for (Instrument *instrument : instruments)
        adopt(instrument);
    m_coagM6Count = recount();
    endResetModel();
}

void InstrumentListModel::addInstrument(Instrument *instrument)
{
    if (!instrument)
        return;
    // Insertion alone, not wrapped in a layout change: views must not see
    // the two announcements nested.
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    adopt(instrument);
    endInsertRows();
    // The others' shared COAG_M6 count changes with the new row.
    if (selectsCoagM6(instrument)) {
        ++m_coagM6Count;
        if (row > 0)
            emit dataChanged(index(0), index(row - 1), { CoagM6CountRole });
    }
}

void InstrumentListModel::clear()
{
    setInstruments({});
}

Instrument *InstrumentListModel::instrumentAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).instrument.data() : nullptr;
}

int InstrumentListModel::indexOf(const QString &instrumentId) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).instrument && m_rows.at(row).instrument->id() == instrumentId)
            return row;
    }
    return -1;
}

void InstrumentListModel::refresh()
{
    m_coagM6Count = recount();
    dataHasChanged();
}

void InstrumentListModel::dataHasChanged(int row)
{
    // The row an instrument names is the one its editor saw; the model's own
    // row of the sender is what counts.
    if (const auto *instrument = qobject_cast<const Instrument *>(sender())) {
        for (int own = 0; own < m_rows.size(); ++own) {
            if (m_rows.at(own).key == instrument)
                row = own;
        }
    }
    if (row < 0 || row >= m_rows.size())
        return;
    // A mode change on one row can change the shared COAG_M6 count of all.
    const int count = recount();
    if (count != m_coagM6Count) {
        m_coagM6Count = count;
        dataHasChanged();
        return;
    }
    emit dataChanged(index(row), index(row));
}

void InstrumentListModel::dataHasChanged()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void InstrumentListModel::adopt(Instrument *instrument)
{
    m_rows.append(Row { instrument, instrument });
    connect(instrument, qOverload<int>(&Instrument::dataChanged), this,
        qOverload<int>(&InstrumentListModel::dataHasChanged));
    connect(instrument, &QObject::destroyed, this, &InstrumentListModel::onInstrumentDestroyed);
}

void InstrumentListModel::onInstrumentDestroyed(QObject *object)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).key != object)
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        refresh();
        return;
    }
}

int InstrumentListModel::recount() const
{
    int count = 0;
    for (const Row &row : m_rows)
        count += selectsCoagM6(row.instrument.data()) ? 1 : 0;
    return count;
}
