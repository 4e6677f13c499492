#pragma once
// Spell checking with the engine's own checker and the dictionaries converted from the
// system's hunspell ones when the program was built. It underlines words in the view only:
// the page's markup and saved bytes never change.

#include <QStringList>

class QWebEngineProfile;

namespace lw::spelling {

// The program's dictionaries: as the environment names them, beside the program in a build,
// or in its data folder once installed.
QString installedFolder();

// Points the engine at the user's folder of dictionaries, which links the program's and holds
// those rebuilt with the user's own words; only the first profile's start reads it.
void locateDictionaries();

// The dictionaries available, by language tag ("en-US").
QStringList availableLanguages();

// The dictionaries for language tags in order of preference ("fr", "en-GB", ...): an exact
// match, else one of the same language; tags without a dictionary are dropped.
QStringList dictionariesFor(const QStringList& languages, const QStringList& available);

// Checks spelling in profile's pages with the dictionaries for languages, or for the user's
// locale when none of them has one.
void useLanguages(QWebEngineProfile& profile, const QStringList& languages);

// The languages page uses (its own and its elements'). The engine checks a word against every
// dictionary of the profile at once, so the profile gets those of all open pages: a word
// correct in any of their languages counts as correct anywhere.
void setPageLanguages(QWebEngineProfile& profile, const void* page, const QStringList& languages);
// page is closed: its languages are no longer needed.
void forgetPage(const void* page);

} // namespace lw::spelling
