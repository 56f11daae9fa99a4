#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QList>
#include <QtCore/QPointer>

class Instrument;

/// The instruments of one program level (or the sub-instruments of one
/// instrument) as the program editor shows them. Rows hold guarded pointers:
/// an instrument deleted under the model leaves its row.
class InstrumentListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        InstrumentIdRole = Qt::UserRole + 1,
        InstrumentNameRole,
        InstrumentTypeRole,
        InstrumentTypeDisplayRole,
        InstrumentTypeOnlyRole,
        InstrumentCutModeRole,
        InstrumentCutModeTextRole,
        InstrumentCutEffectRole,
        InstrumentCoagModeRole,
        InstrumentCoagModeTextRole,
        InstrumentCoagEffectRole,
        InstrumentEvxValueRole,
        InstrumentEvxEnableRole,
        InstrumentIrxValueRole,
        InstrumentIrxEnableRole,
        InstrumentActivationImage1Role,
        InstrumentActivationImage2Role,
        InstrumentActivationImage3Role,
        InstrumentMarkedForDeleteRole,
        CoagM6CountRole,
        InstrumentCanHaveEvxRole,
        InstrumentImageSourceRole,
        InstrumentParentId,
    };
    Q_ENUM(Roles)

    explicit InstrumentListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    /// Replaces all rows.
    void setInstruments(const QList<Instrument *> &instruments);
    /// Appends a row and counts it when its coag side selects COAG_M6.
    void addInstrument(Instrument *instrument);
    void clear();

    Instrument *instrumentAt(int row) const;
    /// The row of an instrument id, or -1.
    Q_INVOKABLE int indexOf(const QString &instrumentId) const;
    /// The instruments of the model whose coag side selects COAG_M6.
    Q_INVOKABLE int coagM6Count() const { return m_coagM6Count; }
    /// Counts COAG_M6 anew and repaints every row.
    void refresh();

public slots:
    void dataHasChanged(int row);
    void dataHasChanged();

private:
    struct Row
    {
        QPointer<Instrument> instrument;
        const QObject *key = nullptr;
    };

    void adopt(Instrument *instrument);
    void onInstrumentDestroyed(QObject *object);
    int recount() const;

    QList<Row> m_rows;
    int m_coagM6Count = 0;
};
