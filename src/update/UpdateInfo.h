#pragma once

#include <QtCore/QMap>
#include <QtCore/QString>

/// The description (".esb") of a firmware update: version, hint and three
/// change lines, in German and in English. The file is INI text with the
/// groups "de" and "en"; values are taken whole, so a comma or a ";" inside a
/// hint stays part of it.
class UpdateInfo
{
public:
    struct Texts
    {
        QString version;
        QString hint;
        QString change1;
        QString change2;
        QString change3;
    };

    explicit UpdateInfo(const QString &filePath);
    /// From the file's bytes; tests and the server's description messages.
    static UpdateInfo fromText(const QByteArray &text);

    QString getVersion(const QString &languageName) const;
    QString getHint(const QString &languageName) const;
    QString getChange1(const QString &languageName) const;
    QString getChange2(const QString &languageName) const;
    QString getChange3(const QString &languageName) const;

    /// A written "\n" (or the "\\n" a settings writer leaves) becomes a line break.
    static QString withLineBreaks(const QString &text);
    /// The list text of an update file name ("QELO3 1.4.2 230612_090000").
    static QString displayText(const QString &fileName);
    /// The version that characters 21 to 25 of a file name hold ("1_4_2" gives
    /// "1.4.2"); a name of fewer than 27 characters is the version itself.
    static QString versionOfFileName(const QString &fileName);

private:
    UpdateInfo() = default;
    void read(const QByteArray &text);
    QString lookUp(const QString &languageName, const char *getter, QString Texts::*field,
                   const QString &fallback) const;

    QMap<QString, Texts> m_texts;
};
