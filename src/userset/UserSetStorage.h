#pragma once

#include "UserSet.h"

#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>

class XmlUserSetSerializer;

/// The registry of every user set the program knows and the file store
/// behind it: one directory per category, one XML file per set. Files are
/// replaced atomically, and names that come from peers or imports are
/// reduced to plain file names inside their category's directory.
class UserSetStorage : public QObject
{
    Q_OBJECT
public:
    explicit UserSetStorage(QObject *parent = nullptr);
    ~UserSetStorage() override;

    /// The user whose data tree holds the directories; set at login.
    void setUserName(const QString &userName) { m_userName = userName; }
    QString userName() const { return m_userName; }
    /// The directory of a category, or empty for a type without one.
    QString directory(int userSetType) const;

    /// Drops every set and loads the general templates, own templates and downloads.
    void loadAll();
    /// Forgets every set (the files stay); each leaves with userSetRemoved.
    void clear();
    /// Brings the local types in step with their directories without
    /// dropping the server records, an edited set or the set `keepId`.
    void loadLocal(const QString &keepId = QString());
    /// The local copy (type 1 or 3) of a fetched server set; an earlier copy
    /// of the same file is returned as it is. Null when it cannot be made.
    UserSet *copyServerUserSetToLocal(UserSet *serverSet);
    /// Copies the built-in general templates into the user's general-template
    /// directory where they are missing; returns how many were copied.
    int installBuiltinTemplates();

    UserSet *getUserSet(const QString &id) const;
    QStringList userSetIds() const { return m_sets.keys(); }
    QList<UserSet *> userSets(int userSetType) const;
    /// The id of the set of `userSetType` whose file has this base name, or empty.
    QString findByBaseName(const QString &baseName, int userSetType) const;
    bool existsInCategory(const QString &filePath, int userSetType) const;
    QString getFilePath(const UserSet *set) const;
    QString getUploadPath(const UserSet *set) const { return getFilePath(set); }

    /// Writes the set's document; the old file stays intact when this fails.
    bool writeToFile(UserSet *set, const QString &path);
    /// Saves an edited set as own template `name`; returns the template or null.
    UserSet *saveUserSet(UserSet *set, const QString &name);
    /// Discards edits by reading the set's file again.
    bool reloadUserSet(UserSet *set);
    /// Takes a file in as own template; returns the new set or null.
    UserSet *importUserSet(const QString &path);
    bool exportUserSets(const QStringList &ids, const QString &targetFolder);
    void deleteUserSets(const QStringList &ids);

    /// A set downloaded from the generator; returns the registered set or null.
    UserSet *qelo3UserSetReceived(const QByteArray &data, const QString &fileName);
    /// A set delivered by the server in category 1 (the user's sets) or 2
    /// (templates); returns the display name or empty when refused.
    QString halvoServerUserSetReceived(const QByteArray &data, const QString &fileName, int category);
    /// Registers the sets the server lists, without files.
    void addServerUserSets(const QList<UserSetFileRecord> &records, int userSetType);
    /// The store type of a server user-set category, or 0.
    static int typeOfServerCategory(int category);
    /// Takes in a set built in memory (no file is written); the store owns it from now on.
    void adoptUserSet(UserSet *set) { registerSet(set); }

signals:
    void userSetAdded(const QString &id);
    void userSetRemoved(const QString &id);

private:
    void loadDirectory(int userSetType, const QSet<QString> &skipPaths = {});
    void revertToFile(UserSet *set);
    void registerSet(UserSet *set);
    void removeSet(const QString &id, bool removeFile);

    QString m_userName;
    QMap<QString, UserSet *> m_sets;
    XmlUserSetSerializer *m_serializer;
};
