#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

/// Describes one adjustable value of a cut or coag mode: what the editor shows
/// and which range it allows.
class ModeData : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString label READ label CONSTANT)
    Q_PROPERTY(int kind READ kind CONSTANT)
    Q_PROPERTY(double minimum READ minimum CONSTANT)
    Q_PROPERTY(double maximum READ maximum CONSTANT)
    Q_PROPERTY(double step READ step CONSTANT)
    Q_PROPERTY(double defaultValue READ defaultValue CONSTANT)
    Q_PROPERTY(int decimals READ decimals CONSTANT)
public:
    enum Kind { OnOff = 0, WholeNumber = 1, DecimalNumber = 2 };
    Q_ENUM(Kind)

    ModeData(const QString &label, Kind kind, double minimum, double maximum, double step, double defaultValue,
        int decimals = 0, QObject *parent = nullptr);

    QString label() const { return m_label; }
    int kind() const { return m_kind; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double step() const { return m_step; }
    double defaultValue() const { return m_defaultValue; }
    int decimals() const { return m_decimals; }

    /// "EIN"/"AUS", the whole number or the decimal number with its decimals.
    Q_INVOKABLE QString defaultText() const;
    /// The default on the generator's tenfold scale (decimal kinds only).
    Q_INVOKABLE QString defaultTenfoldText() const;
    /// The mode attribute this descriptor edits; empty for the flow, which
    /// lives on the cut or coag side itself.
    QString attributeName() const;
    bool isFlow() const { return m_label == QLatin1String("Flow"); }

private:
    QString m_label;
    Kind m_kind;
    double m_minimum;
    double m_maximum;
    double m_step;
    double m_defaultValue;
    int m_decimals;
};
