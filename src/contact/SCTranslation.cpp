#include "SCTranslation.h"

SCTranslation::SCTranslation(const QString &language, const QString &country, const QString &languages)
    : m_translationLanguage(language)
    , m_country(country)
    , m_languages(languages)
{
}

SCTranslation::~SCTranslation() = default;
