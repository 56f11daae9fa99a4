#include "HtmlService.h"

#include "Logger.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

namespace {
const QString kResourceRoot = QStringLiteral(":/Resources/Html");
const QString kRegistrationDe = QStringLiteral("https://portal.halvo-medical.example/de/registrieren");
const QString kRegistrationOther = QStringLiteral("https://portal.halvo-medical.example/en/register");
}

HtmlService::HtmlService(QObject *parent)
    : QObject(parent)
    , m_htmlFolder(QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/HalvoKelvara_Html"))
{
}

void HtmlService::ensureHtmlFolder() const
{
    if (!m_prepared)
        const_cast<HtmlService *>(this)->prepareHtmlFolder();
}

void HtmlService::prepareHtmlFolder()
{
    m_prepared = true;
    QDir folder(m_htmlFolder);
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));
    QDirIterator it(kResourceRoot, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = m_htmlFolder + source.mid(kResourceRoot.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
            continue;
        }
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        else
            Logger::warn(QStringLiteral("HtmlService::prepareHtmlFolder: could not copy %1").arg(source));
    }
}

QString HtmlService::getHtmlFromFile(const QString &filename) const
{
    QFile file(filename);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString HtmlService::getUrlForHelp(const QString &platform, const QString &language, const QString &module) const
{
    ensureHtmlFolder();
    const QString platformFolder = platform == QLatin1String("ios") ? QStringLiteral("iOS") : QStringLiteral("Windows");
    return QStringLiteral("file:///") + m_htmlFolder + QStringLiteral("/Help/") + platformFolder + QLatin1Char('/')
           + language + QLatin1Char('/') + module + QStringLiteral(".html");
}

QString HtmlService::legalUrl(const QString &language, const QString &page) const
{
    ensureHtmlFolder();
    return QStringLiteral("file:///") + m_htmlFolder + QStringLiteral("/Legal/") + language + QLatin1Char('/') + page;
}

QString HtmlService::getUrlForGTC(const QString &language) const { return legalUrl(language, QStringLiteral("GTC.html")); }
QString HtmlService::getUrlForImprint(const QString &language) const { return legalUrl(language, QStringLiteral("Imprint.html")); }
QString HtmlService::getUrlForPrivacy(const QString &language) const { return legalUrl(language, QStringLiteral("PrivacyPolicy.html")); }

QString HtmlService::getUrlForRegistration(const QString &language) const
{
    return language == QLatin1String("Deutsch") ? kRegistrationDe : kRegistrationOther;
}

void HtmlService::requestShowHtmlDialog(const QString &page) { emit showHtmlDialog(page); }
void HtmlService::requestHideHtmlDialog() { emit hideHtmlDialog(); }
