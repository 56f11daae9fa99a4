#include "StringListElement.h"

StringListElement::StringListElement(QObject *parent)
    : QObject(parent)
{
}

StringListElement::StringListElement(const QString &id, const QString &text, QObject *parent)
    : QObject(parent)
    , m_id(id)
    , m_text(text)
{
}

StringListElement::StringListElement(const QString &id, const QString &text, const QString &type, QObject *parent)
    : StringListElement(id, text, parent)
{
    m_type = type;
}

StringListElement::StringListElement(const QString &id, const QString &text, const QString &type,
                                     const QString &imageSource, QObject *parent)
    : StringListElement(id, text, type, parent)
{
    m_imageSource = imageSource;
}

StringListElement::StringListElement(const QString &id, const QString &text, const QString &type,
                                     const QString &imageSource, const QString &parentInstrument, QObject *parent)
    : StringListElement(id, text, type, imageSource, parent)
{
    m_parentInstrument = parentInstrument;
}

StringListElement::StringListElement(const QString &id, const QString &text, bool markedForDelete, QObject *parent)
    : StringListElement(id, text, parent)
{
    m_markedForDelete = markedForDelete;
}

StringListElement::StringListElement(const QString &id, const QString &text, const QString &imageSource,
                                     bool isSelected, QObject *parent)
    : StringListElement(id, text, parent)
{
    m_imageSource = imageSource;
    m_isSelected = isSelected;
}

StringListElement::StringListElement(const QString &id, const QString &text, const QString &type, bool isSelected,
                                     bool isDownloaded, QObject *parent)
    : StringListElement(id, text, type, parent)
{
    m_isSelected = isSelected;
    m_isDownloaded = isDownloaded;
}
