#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

/// One instrument type of the catalogue. Values are kept as the catalogue's
/// texts; the flow and effect limits are also kept as numbers.
class InstrumentDefinition
{
public:
    /// Marks a numeric limit that the catalogue does not give.
    static constexpr double kUnset = 9218868437227405312.0;

    explicit InstrumentDefinition(const QString &instrumentType = QString());

    /// Stores a catalogue value under its key; an unknown key is logged and ignored.
    bool setPropertyValue(const QString &key, const QVariant &value);
    /// The catalogue keys in the order they are applied.
    static const QStringList &propertyKeys();
    /// Texts with a "." are decimal numbers on the plain scale and become ten
    /// times the value, rounded half up; other texts are returned unchanged.
    static QString convertToScale(const QString &text);

    QString instrumentType() const { return m_instrumentType; }
    QString datensatznummer() const { return m_datensatznummer; }
    QString nameEn() const { return m_nameEn; }
    QString nameDe() const { return m_nameDe; }
    /// The German name for "Deutsch" or "de", else the English one.
    QString name(bool german) const { return german ? m_nameDe : m_nameEn; }
    QString nameMussTypnameEnthalten() const { return m_nameMussTypnameEnthalten; }
    QString modepolaritaet() const { return m_modepolaritaet; }
    bool isMonopolar() const { return m_modepolaritaet == QLatin1String("Monopolar"); }
    QString icon() const { return m_icon; }
    QString fingerschalterVorhanden() const { return m_fingerschalterVorhanden; }
    bool hasFingerSwitch() const { return m_fingerschalterVorhanden == QLatin1String("EIN"); }
    QString gaskanal() const { return m_gaskanal; }
    bool hasGasChannel() const { return m_gaskanal == QLatin1String("EIN"); }
    QString defaultCutMode() const { return m_defaultCutMode; }
    QString defaultCutEffekt() const { return m_defaultCutEffekt; }
    QString defaultCutFlow() const { return m_defaultCutFlow; }
    const QStringList &defaultCoagModes() const { return m_defaultCoagModes; }
    const QStringList &defaultCoagEffekte() const { return m_defaultCoagEffekte; }
    QString defaultCoagFlow() const { return m_defaultCoagFlow; }
    QString defaultModulation() const { return m_defaultModulation; }
    QString minFlow() const { return m_minFlow; }
    QString maxFlow() const { return m_maxFlow; }
    QString evxAllowed() const { return m_evxAllowed; }
    const QStringList &cutModes() const { return m_cutModes; }
    const QStringList &coagModes() const { return m_coagModes; }
    QString subinstrumentVon() const { return m_subinstrumentVon; }
    const QStringList &maxCoagEffektValues() const { return m_maxCoagEffektValues; }
    const QStringList &maxCutEffektValues() const { return m_maxCutEffektValues; }
    QString isParentInstrument() const { return m_isParentInstrument; }
    QString preventAutostart() const { return m_preventAutostart; }
    QString hideAutostop() const { return m_hideAutostop; }
    QString preventFussschalter() const { return m_preventFussschalter; }
    QString isIOSKInstrument() const { return m_isIOSKInstrument; }
    const QList<double> &maxCoagEffects() const { return m_maxCoagEffects; }
    const QList<double> &maxCutEffects() const { return m_maxCutEffects; }
    double minFlowValue() const { return m_minFlowValue; }
    double maxFlowValue() const { return m_maxFlowValue; }

    /// True with both limits when the catalogue gives both, else false and both unset.
    bool getFlowRange(double &minimum, double &maximum) const;
    /// The limit of the index-th mode after the off entry; false and unset
    /// where the catalogue leaves that mode's entry empty.
    bool getMaxCoagEffect(int index, double &value) const;
    bool getMaxCutEffect(int index, double &value) const;

private:
    static QStringList listValue(const QVariant &value, bool keepEmpty = false);

    QString m_instrumentType;
    QString m_datensatznummer = QStringLiteral("0");
    QString m_nameEn = QStringLiteral("Name_en");
    QString m_nameDe = QStringLiteral("Name_de");
    QString m_nameMussTypnameEnthalten = QStringLiteral("AUS");
    QString m_modepolaritaet = QStringLiteral("Monopolar");
    QString m_icon = QStringLiteral("monopolar.png");
    QString m_fingerschalterVorhanden = QStringLiteral("AUS");
    QString m_gaskanal = QStringLiteral("AUS");
    QString m_defaultCutMode = QStringLiteral("CUT_AUS");
    QString m_defaultCutEffekt = QStringLiteral("0");
    QString m_defaultCutFlow = QStringLiteral("0");
    QStringList m_defaultCoagModes { QStringLiteral("COAG_AUS") };
    QStringList m_defaultCoagEffekte { QStringLiteral("0") };
    QString m_defaultCoagFlow = QStringLiteral("0");
    QString m_defaultModulation = QStringLiteral("0");
    QString m_minFlow = QStringLiteral("0");
    QString m_maxFlow = QStringLiteral("0");
    QString m_evxAllowed = QStringLiteral("EIN");
    QStringList m_cutModes { QStringLiteral("CUT_AUS") };
    QStringList m_coagModes { QStringLiteral("COAG_AUS") };
    QString m_subinstrumentVon;
    QStringList m_maxCoagEffektValues { QString() };
    QStringList m_maxCutEffektValues { QString() };
    QString m_isParentInstrument = QStringLiteral("false");
    QString m_preventAutostart = QStringLiteral("false");
    QString m_hideAutostop = QStringLiteral("false");
    QString m_preventFussschalter = QStringLiteral("false");
    QString m_isIOSKInstrument = QStringLiteral("false");
    QList<double> m_maxCoagEffects;
    QList<double> m_maxCutEffects;
    double m_minFlowValue = kUnset;
    double m_maxFlowValue = kUnset;
};
