#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

/// One row of a StringListModel: a small record that controllers fill for
/// menus, catalogues and overviews.
class StringListElement : public QObject
{
    Q_OBJECT
public:
    explicit StringListElement(QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, const QString &type, QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, const QString &type, const QString &imageSource,
                      QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, const QString &type, const QString &imageSource,
                      const QString &parentInstrument, QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, bool markedForDelete, QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, const QString &imageSource, bool isSelected,
                      QObject *parent = nullptr);
    StringListElement(const QString &id, const QString &text, const QString &type, bool isSelected,
                      bool isDownloaded, QObject *parent = nullptr);

    QString id() const { return m_id; }
    void setId(const QString &id) { m_id = id; }
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QString type() const { return m_type; }
    void setType(const QString &type) { m_type = type; }
    QString imageSource() const { return m_imageSource; }
    void setImageSource(const QString &source) { m_imageSource = source; }
    QString parentInstrument() const { return m_parentInstrument; }
    void setParentInstrument(const QString &parent) { m_parentInstrument = parent; }
    bool markedForDelete() const { return m_markedForDelete; }
    void setMarkedForDelete(bool marked) { m_markedForDelete = marked; }
    bool isSelected() const { return m_isSelected; }
    void setIsSelected(bool selected) { m_isSelected = selected; }
    bool isDownloaded() const { return m_isDownloaded; }
    void setIsDownloaded(bool downloaded) { m_isDownloaded = downloaded; }

signals:
    void dataChanged(int row);
    void dataChanged();

private:
    QString m_id;
    QString m_text;
    QString m_type;
    QString m_imageSource;
    QString m_parentInstrument;
    bool m_markedForDelete = false;
    bool m_isSelected = false;
    bool m_isDownloaded = false;
};
