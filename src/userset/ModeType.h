#pragma once

#include <QtCore/QString>
#include <QtCore/QStringView>

#include <array>

/// One mode entry of a cut or coag side: the mode identifier and its up to
/// seven parameter values, each empty when the mode has no such parameter.
class ModeType
{
public:
    enum Field { Name = 0, Effekt, Schnittdauer, Schnittintervall, APP, Fast, MiC, Modulation, FieldCount };

    ModeType() = default;
    explicit ModeType(const QString &modeName) { m_values[Name] = modeName; }

    /// The attribute names of the fields, in field order.
    static const std::array<QString, FieldCount> &attributeNames();
    /// The field of an attribute name, or -1.
    static int fieldOf(QStringView attributeName);

    const QString &value(Field field) const { return m_values[field]; }
    void setValue(Field field, const QString &value) { m_values[field] = value; }
    /// Sets the field of an attribute name; false for an unknown name.
    bool setAttribute(const QString &attributeName, const QString &value);
    QString attribute(const QString &attributeName) const;

    const QString &modeName() const { return m_values[Name]; }
    void setModeName(const QString &name) { m_values[Name] = name; }
    const QString &effekt() const { return m_values[Effekt]; }
    void setEffekt(const QString &value) { m_values[Effekt] = value; }
    const QString &schnittdauer() const { return m_values[Schnittdauer]; }
    const QString &schnittintervall() const { return m_values[Schnittintervall]; }
    const QString &app() const { return m_values[APP]; }
    const QString &fast() const { return m_values[Fast]; }
    const QString &miC() const { return m_values[MiC]; }
    const QString &modulation() const { return m_values[Modulation]; }

    /// The values a reader assumes for missing attributes of this mode.
    void applyDefaults(const QString &defaultModulation);

    bool operator==(const ModeType &other) const { return m_values == other.m_values; }
    bool operator!=(const ModeType &other) const { return !(*this == other); }

private:
    std::array<QString, FieldCount> m_values;
};
