#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QList>

class StringListElement;

/// The generic list of small records that controllers hand to the scenes:
/// menus, catalogues, program groups, firmware overviews, service centres.
/// The model owns its elements.
class StringListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        ListIdRole = Qt::UserRole + 1,
        ListTextRole,
        ListTypeRole,
        ListParentInstrumentRole,
        ListMarkedForDeleteRole,
        ListImageSourceRole,
        ListIsSelectedRole,
        ListIsDownloadedRole,
    };
    Q_ENUM(Roles)

    explicit StringListModel(QObject *parent = nullptr);
    ~StringListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    /// The first row whose id equals `id`, or -1.
    Q_INVOKABLE int indexOf(const QString &id) const;
    Q_INVOKABLE QString textOf(const QString &id) const;
    StringListElement *elementAt(int row) const;
    const QList<StringListElement *> &elements() const { return m_elements; }

    /// Takes ownership of `element`.
    void append(StringListElement *element);
    /// Before the row of `beforeId`; appended when there is none.
    void insertBefore(StringListElement *element, const QString &beforeId);
    /// Moves the row of `id` to the row of `targetId`; false when either is missing.
    bool move(const QString &id, const QString &targetId);
    bool remove(const QString &id);
    void clear();

public slots:
    void update(int row);
    void updateAll();

protected:
    /// Only the temporary variant leaves its lifetime to the QML engine.
    StringListModel(QObject *parent, bool ownedByApplication);

private:
    void adopt(StringListElement *element);

    QList<StringListElement *> m_elements;
};

/// A StringListModel that an invokable creates and hands to QML for good: the
/// QML engine deletes it when the scene drops it.
class TempStringListModel : public StringListModel
{
    Q_OBJECT
public:
    explicit TempStringListModel(QObject *parent = nullptr);
};
