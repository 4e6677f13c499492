#pragma once
// Spell checking with the engine's own checker and the dictionaries converted from the
// system's hunspell ones when the program was built. It underlines words in the view only:
// the page's markup and saved bytes never change.

#include <QStringList>

class QWebEngineProfile;

namespace lw::spelling {

// Tells the engine where the program's dictionaries are, unless the environment already
// does; only the first profile's start reads it.
void locateDictionaries();

// The dictionaries available, by language tag ("en-US").
QStringList availableLanguages();

// The dictionaries for language tags in order of preference ("fr", "en-GB", ...): an exact
// match, else one of the same language; tags without a dictionary are dropped.
QStringList dictionariesFor(const QStringList& languages, const QStringList& available);

// Checks spelling in profile's pages with the dictionaries for languages and the user's locale.
void useLanguages(QWebEngineProfile& profile, const QStringList& languages);

} // namespace lw::spelling
