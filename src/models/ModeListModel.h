#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QList>
#include <QtCore/QVariant>

class ModeData;

/// The adjustable values of one cut or coag mode while the editor shows them.
/// The descriptors are the catalogue's shared ones; the values being edited
/// live here, so two editors never write into each other's descriptors.
class ModeListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        TitleRole,
        MinValueRole,
        MaxValueRole,
        StepSizeRole,
        DecimalsRole,
        ValueRole,
        IsCutModeRole,
        IsSwitchRole,
    };
    Q_ENUM(Roles)

    /// Marks a limit that the instrument does not impose.
    static constexpr double kUnset = 9218868437227405312.0;

    explicit ModeListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    /// Only the value role is writable; the value is held to the row's range.
    bool setData(const QModelIndex &index, const QVariant &value, int role = ValueRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

    /// Shows `descriptors` with their default values; the limits stay as they are.
    void setDescriptors(const QList<ModeData *> &descriptors, bool isCutMode);
    const QList<ModeData *> &descriptors() const { return m_descriptors; }
    bool isCutMode() const { return m_isCutMode; }

    /// The current values in descriptor order (the hidden last one included).
    QVariantList values() const { return m_values; }
    /// Takes one value per descriptor, each held to its row's range.
    void setValues(const QVariantList &values);
    /// The value of `row` as the row shows it; invalid outside the list.
    Q_INVOKABLE QVariant value(int row) const;
    Q_INVOKABLE bool setValue(int row, const QVariant &value);

    void setFlowLimits(double minimum, double maximum);
    void setMaxCutEffect(double maximum);
    void setMaxCoagEffect(double maximum);
    void resetLimits();
    double minFlow() const { return m_minFlow; }
    double maxFlow() const { return m_maxFlow; }
    double maxCutEffect() const { return m_maxCutEffect; }
    double maxCoagEffect() const { return m_maxCoagEffect; }

    /// Without the last row the flow is not offered.
    void setShowLast(bool showLast);
    bool showLast() const { return m_showLast; }

    /// The range a row offers after the instrument's limits.
    double minimumOf(int row) const;
    double maximumOf(int row) const;
    /// A value held to the row's range and step, as the row shows it.
    QVariant bounded(int row, const QVariant &value) const;

    void clear();

private:
    QVariant shown(int row, double value) const;

    QList<ModeData *> m_descriptors;
    QVariantList m_values;
    bool m_isCutMode = false;
    bool m_showLast = true;
    double m_maxFlow = kUnset;
    double m_minFlow = kUnset;
    double m_maxCutEffect = kUnset;
    double m_maxCoagEffect = kUnset;
};
