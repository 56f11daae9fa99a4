#pragma once

#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>

/// The texts of one service centre in one language: country name, spoken
/// languages and office hours (days, hours).
class SCTranslation
{
public:
    using Reachability = QPair<QString, QString>;

    SCTranslation() = default;
    SCTranslation(const QString &language, const QString &country, const QString &languages);
    virtual ~SCTranslation();

    QString translationLanguage() const { return m_translationLanguage; }
    QString country() const { return m_country; }
    QString languages() const { return m_languages; }
    const QList<Reachability> &reachabilities() const { return m_reachabilities; }
    void addReachability(const QString &days, const QString &hours) { m_reachabilities.append({ days, hours }); }
    /// Days and hours of entry `index`; empty texts when there is none.
    Reachability reachability(int index) const { return m_reachabilities.value(index); }

private:
    QString m_translationLanguage;
    QString m_country;
    QString m_languages;
    QList<Reachability> m_reachabilities;
};
