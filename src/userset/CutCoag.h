#pragma once

#include "ModeType.h"

#include <QtCore/QList>
#include <QtCore/QString>

/// The cut or the coag side of an instrument: how it is activated, the
/// selected mode, the flow and the mode entries.
class CutCoag
{
public:
    enum Side { Cut, Coag };

    explicit CutCoag(Side side = Coag);

    Side side() const { return m_side; }
    QString aktivierungsquelle() const { return m_aktivierungsquelle; }
    void setAktivierungsquelle(const QString &value) { m_aktivierungsquelle = value; }
    QString selektierterMode() const { return m_selektierterMode; }
    void setSelektierterMode(const QString &value) { m_selektierterMode = value; }
    /// On the plain scale ("1.5"); the file holds the tenfold value.
    QString flow() const { return m_flow; }
    void setFlow(const QString &value) { m_flow = value; }
    QString autostop() const { return m_autostop; }
    void setAutostop(const QString &value) { m_autostop = value; }
    QString datensatznummer() const { return m_datensatznummer; }
    void setDatensatznummer(const QString &value) { m_datensatznummer = value; }

    const QList<ModeType> &modes() const { return m_modes; }
    QList<ModeType> &modes() { return m_modes; }
    void setModes(const QList<ModeType> &modes) { m_modes = modes; }
    /// The entry of a mode, or null.
    ModeType *findMode(const QString &modeName);
    const ModeType *findMode(const QString &modeName) const;
    /// The entry of the selected mode, or null.
    const ModeType *selectedModeEntry() const { return findMode(m_selektierterMode); }

    /// Edits the mode's value at `index` in the order of its descriptors; the
    /// flow descriptor edits the side's flow. A missing entry is created first.
    bool setModeParameter(const QString &modeName, int index, const QString &value);

    /// Mode entries with default values for every mode the side may use.
    static QList<ModeType> defaultModes(const QStringList &modeNames, const QString &defaultModulation);

    bool operator==(const CutCoag &other) const;
    bool operator!=(const CutCoag &other) const { return !(*this == other); }

private:
    Side m_side;
    QString m_aktivierungsquelle = QStringLiteral("AUS");
    QString m_selektierterMode;
    QString m_flow;
    QString m_autostop = QStringLiteral("AUS");
    QString m_datensatznummer;
    QList<ModeType> m_modes;
};
