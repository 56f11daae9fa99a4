#pragma once

#include <QtCore/QObject>

/// Help and legal pages: unpacked from the resources into a temporary folder
/// that the embedded browser reads, and the URLs that point into it.
class HtmlService : public QObject
{
    Q_OBJECT
public:
    explicit HtmlService(QObject *parent = nullptr);

    /// Rebuilds the HTML folder from ":/Resources/Html".
    void prepareHtmlFolder();
    /// Prepares the folder the first time a page address is asked for, so
    /// that start-up does not copy pages nobody may open.
    void ensureHtmlFolder() const;
    QString htmlFolder() const { return m_htmlFolder; }

    Q_INVOKABLE QString getHtmlFromFile(const QString &filename) const;
    Q_INVOKABLE QString getUrlForHelp(const QString &platform, const QString &language, const QString &module) const;
    Q_INVOKABLE QString getUrlForGTC(const QString &language) const;
    Q_INVOKABLE QString getUrlForImprint(const QString &language) const;
    Q_INVOKABLE QString getUrlForPrivacy(const QString &language) const;
    Q_INVOKABLE QString getUrlForRegistration(const QString &language) const;
    Q_INVOKABLE void requestShowHtmlDialog(const QString &page);
    Q_INVOKABLE void requestHideHtmlDialog();

signals:
    void showHtmlDialog(QString page);
    void hideHtmlDialog();

private:
    QString legalUrl(const QString &language, const QString &page) const;

    QString m_htmlFolder;
    mutable bool m_prepared = false;
};
