#pragma once

#include "UserSetName.h"

#include <QtCore/QDateTime>
#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QString>

#include <array>

class ProgramGroup;

/// Where a user set rests and how far it was read; also what the server
/// lists for a set it holds.
struct UserSetFileRecord
{
    bool received = false;
    QString path;
    QDateTime timeStamp;
    int loadState = 0;
    QString fileName;
};

/// The generator's complete set of user programs as one object tree.
class UserSet : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxProgramGroups = 20;

    /// The store categories.
    enum Type {
        GENERAL_TEMPLATE = 1,
        USER_TEMPLATE = 2,
        QELO3_DOWNLOAD = 3,
        HALVO_SERVER_GENERAL_TEMPLATE = 4,
        HALVO_SERVER_QELO3_DOWNLOAD = 5,
    };
    Q_ENUM(Type)

    enum DeviceValue { DeviceName, DeviceTyp, Seriennummer, Softwareversion, NaechsteSTK, DeviceValueCount };

    enum SetupValue {
        Einstiegsbildschirm,
        BevorzugteNeutralelektrode,
        SpeichernVonProgrammenZugelassen,
        MaximaleAktivierungsdauer,
        AutostartErlaubt,
        AutostartVerzoegerung,
        AutostartVerzoegerungCoagM7,
        ZweiPedalFussschalterTeilbar,
        Sprache,
        HelligkeitAllgemein,
        HelligkeitDisplay,
        HelligkeitBuchse,
        LautstaerkeSystem,
        LautstaerkeAktivierung,
        LautstaerkeTaste,
        LautstaerkeGesamt,
        ApcAutomatischesSpuelen,
        ApcSpueldauer,
        ApcGasversorgung,
        ApcDruckBeiVollerFlasche,
        EvxGrundabsaugung,
        EvxNachlaufzeit,
        SetupValueCount
    };

    /// Where a setup value lives in the file: the child element of `Setup`
    /// (empty for `Setup` itself), the attribute, whether it must be present
    /// and non-empty, and the value assumed when it is missing.
    struct SetupField
    {
        QString element;
        QString attribute;
        bool required;
        QString defaultValue;
    };
    static const std::array<SetupField, SetupValueCount> &setupFields();
    static const std::array<QString, DeviceValueCount> &deviceAttributes();

    explicit UserSet(int userSetType = 0, QObject *parent = nullptr, bool asClone = false);
    ~UserSet() override;

    /// A fresh id, the type, no content and cleared flags.
    void reset(int userSetType);
    /// As reset, but the set keeps its id (reading its file again).
    void clearContent(int userSetType);

    QString id() const { return m_id; }
    bool isClone() const { return m_isClone; }
    int userSetType() const { return m_type; }
    void setUserSetType(int type) { m_type = type; }

    QString lastUsedProgramGroup() const { return m_lastUsedProgramGroup; }
    void setLastUsedProgramGroup(const QString &name) { m_lastUsedProgramGroup = name; }
    QString documentVersion() const { return m_documentVersion; }
    void setDocumentVersion(const QString &version) { m_documentVersion = version; }

    QString device(DeviceValue value) const { return m_device[value]; }
    void setDevice(DeviceValue value, const QString &text) { m_device[value] = text; }
    QString setup(SetupValue value) const { return m_setup[value]; }
    void setSetup(SetupValue value, const QString &text) { m_setup[value] = text; }

    const QList<ProgramGroup *> &programGroups() const { return m_programGroups; }
    /// Takes ownership.
    void appendProgramGroup(ProgramGroup *group);
    void removeProgramGroupAt(int index);
    /// Takes ownership; an index outside the list appends.
    void insertProgramGroup(int index, ProgramGroup *group);
    /// Moves the group at `from` so that it lands before the group now at
    /// `before` (the end for an index past the last); false when `from` is invalid.
    bool moveProgramGroup(int from, int before);
    int indexOfProgramGroup(const QString &groupId) const;
    /// Drops every group, program and instrument that is marked for deletion.
    void removeMarkedForDelete();

    /// Whether the set is selected in the list.
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }
    /// Whether the set was sent to a peer since it was last written.
    bool isUploaded() const { return m_uploaded; }
    void setUploaded(bool uploaded) { m_uploaded = uploaded; }
    void setModified();
    void clearModified();
    bool isModified() const { return m_modified; }

    /// The load state after a parse: 2 for the local types, 1 for the server
    /// types, 0 for anything else or a failed parse.
    void setLoaded(bool valid);
    int loadState() const { return m_record.loadState; }
    void setLoadState(int state) { m_record.loadState = state; }
    bool isReceived() const { return m_record.received; }
    void setReceived(bool received) { m_record.received = received; }
    QString path() const { return m_record.path; }
    void setPath(const QString &path) { m_record.path = path; }
    QDateTime timeStamp() const { return m_record.timeStamp; }
    void setTimeStamp(const QDateTime &stamp) { m_record.timeStamp = stamp; }
    const UserSetName &userSetName() const { return m_name; }
    void setFileName(const QString &fileName, bool renew = false);
    QString fileName() const { return m_name.fileName(); }
    UserSetFileRecord fileRecord() const;
    void setFileRecord(const UserSetFileRecord &record);
    void resetFileRecord();

    /// Copies values and ids; a clone gets fresh clone children, a restore
    /// copies child by child.
    bool copy(const UserSet &source, bool asClone);
    UserSet *clone() const;
    /// Copies back from a clone; any other source is ignored.
    bool restore(const UserSet &clone);
    /// Replaces the content (not the id, type or file) by registered copies of `source`.
    void assignContent(const UserSet &source);
    /// The same by taking over `source`'s children, which must be registered;
    /// `source` is left empty. Spares the copy of a freshly read set.
    void takeContent(UserSet &source);

    QString makeUniqueProgramGroupName(const ProgramGroup *group, const QString &name, bool keepName, bool force) const;

signals:
    void modifiedChanged(bool modified);
    /// The program groups are about to go (a reload from the file, a clear).
    void contentCleared();

private:
    QString m_id;
    bool m_isClone = false;
    int m_type = 0;
    QString m_lastUsedProgramGroup;
    QString m_documentVersion;
    std::array<QString, DeviceValueCount> m_device;
    std::array<QString, SetupValueCount> m_setup;
    QList<ProgramGroup *> m_programGroups;
    bool m_selected = false;
    bool m_uploaded = false;
    bool m_modified = false;
    UserSetFileRecord m_record;
    UserSetName m_name;
};
