#include "ModeListModel.h"

#include "ModeData.h"

#include <QtCore/QCoreApplication>

#include <cmath>

namespace {

bool isSet(double limit)
{
    return limit != ModeListModel::kUnset;
}

} // namespace

ModeListModel::ModeListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int ModeListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    const int count = int(m_descriptors.size());
    return m_showLast || count == 0 ? count : count - 1;
}

QVariant ModeListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (index.parent().isValid() || row < 0 || row >= rowCount())
        return QVariant();
    const ModeData *descriptor = m_descriptors.at(row);
    switch (role) {
    case IdRole:
        return row;
    case TitleRole:
        return QCoreApplication::translate("ModeListModel", descriptor->label().toUtf8().constData());
    case MinValueRole:
        return shown(row, minimumOf(row));
    case MaxValueRole:
        return shown(row, maximumOf(row));
    case StepSizeRole:
        return descriptor->step();
    case DecimalsRole:
        return descriptor->decimals();
    case ValueRole:
        return m_values.at(row);
    case IsCutModeRole:
        return m_isCutMode;
    case IsSwitchRole:
        return descriptor->kind() == ModeData::OnOff;
    default:
        return QVariant();
    }
}

bool ModeListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != ValueRole || index.parent().isValid())
        return false;
    return setValue(index.row(), value);
}

Qt::ItemFlags ModeListModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

QHash<int, QByteArray> ModeListModel::roleNames() const
{
    return {
        { IdRole, "idRole" },
        { TitleRole, "titleRole" },
        { MinValueRole, "minValueRole" },
        { MaxValueRole, "maxValueRole" },
        { StepSizeRole, "stepSizeRole" },
        { DecimalsRole, "decimalsRole" },
        { ValueRole, "valueRole" },
        { IsCutModeRole, "isCutModeRole" },
        { IsSwitchRole, "isSwitchRole" },
    };
}

void ModeListModel::setDescriptors(const QList<ModeData *> &descriptors, bool isCutMode)
{
    beginResetModel();
    m_descriptors = descriptors;
    m_isCutMode = isCutMode;
    m_values.clear();
    for (int row = 0; row < m_descriptors.size(); ++row)
        m_values.append(bounded(row, m_descriptors.at(row)->defaultValue()));
    endResetModel();
}

void ModeListModel::setValues(const QVariantList &values)
{
    for (int row = 0; row < m_descriptors.size() && row < values.size(); ++row)
        m_values[row] = bounded(row, values.at(row));
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), { ValueRole });
}

QVariant ModeListModel::value(int row) const
{
    return row >= 0 && row < m_values.size() ? m_values.at(row) : QVariant();
}

bool ModeListModel::setValue(int row, const QVariant &value)
{
    if (row < 0 || row >= m_descriptors.size())
        return false;
    const QVariant held = bounded(row, value);
    if (!held.isValid())
        return false;
    if (held != m_values.at(row)) {
        m_values[row] = held;
        if (row < rowCount())
            emit dataChanged(index(row), index(row), { ValueRole });
    }
    return true;
}

void ModeListModel::setFlowLimits(double minimum, double maximum)
{
    m_minFlow = minimum;
    m_maxFlow = maximum;
}

void ModeListModel::setMaxCutEffect(double maximum)
{
    m_maxCutEffect = maximum;
}

void ModeListModel::setMaxCoagEffect(double maximum)
{
    m_maxCoagEffect = maximum;
}

void ModeListModel::resetLimits()
{
    m_minFlow = m_maxFlow = m_maxCutEffect = m_maxCoagEffect = kUnset;
}

void ModeListModel::setShowLast(bool showLast)
{
    if (showLast == m_showLast)
        return;
    beginResetModel();
    m_showLast = showLast;
    endResetModel();
}

double ModeListModel::minimumOf(int row) const
{
    const ModeData *descriptor = m_descriptors.value(row);
    if (!descriptor)
        return kUnset;
    // A limit outside the descriptor's range cannot widen it.
    if (descriptor->isFlow() && isSet(m_minFlow))
        return qBound(descriptor->minimum(), m_minFlow, descriptor->maximum());
    return descriptor->minimum();
}

double ModeListModel::maximumOf(int row) const
{
    const ModeData *descriptor = m_descriptors.value(row);
    if (!descriptor)
        return kUnset;
    double limit = kUnset;
    if (descriptor->isFlow())
        limit = m_maxFlow;
    else if (descriptor->label() == QLatin1String("Effekt"))
        limit = m_isCutMode ? m_maxCutEffect : m_maxCoagEffect;
    if (!isSet(limit))
        return descriptor->maximum();
    return qBound(minimumOf(row), limit, descriptor->maximum());
}

QVariant ModeListModel::bounded(int row, const QVariant &value) const
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number) || row < 0 || row >= m_descriptors.size())
        return QVariant();
    return shown(row, qBound(minimumOf(row), number, maximumOf(row)));
}

void ModeListModel::clear()
{
    beginResetModel();
    m_descriptors.clear();
    m_values.clear();
    m_isCutMode = false;
    m_showLast = true;
    resetLimits();
    endResetModel();
}

QVariant ModeListModel::shown(int row, double value) const
{
    const ModeData *descriptor = m_descriptors.at(row);
    if (descriptor->kind() != ModeData::DecimalNumber)
        return int(std::lround(value));
    const double scale = std::pow(10.0, descriptor->decimals());
    return std::round(value * scale) / scale;
}
