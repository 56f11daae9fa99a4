#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

class SCTranslation;

/// One of the maker's service centres, as the directory file lists it. Every
/// instance is registered under its own instance id ("1", "2", …) so that the
/// scenes can name it by the id of its list row.
class ServiceCenter
{
public:
    ServiceCenter();
    virtual ~ServiceCenter();
    ServiceCenter(const ServiceCenter &) = delete;
    ServiceCenter &operator=(const ServiceCenter &) = delete;

    QString instanceId() const { return m_instanceId; }
    /// The live instance of that id; null, with a warning, when there is none.
    static ServiceCenter *find(const QString &instanceId);

    QString serviceCenterId;
    QString countryTag;
    QString organization;
    QString address1;
    QString address2;
    QString city;
    QString zip;
    QString phone;
    QString fax;
    QString web;
    QString email;

    const QList<SCTranslation *> &translations() const { return m_translations; }
    /// Takes ownership.
    void addTranslation(SCTranslation *translation) { m_translations.append(translation); }
    /// The translation of `language`, else the English one, else null.
    const SCTranslation *translation(const QString &language) const;

private:
    QString m_instanceId;
    QList<SCTranslation *> m_translations;
};
