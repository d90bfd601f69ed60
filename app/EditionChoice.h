#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "document/Edition.h"

// The edition word and the file of the viewer's command line. The word was written with double
// quotes around it ("Std"); a shell usually strips them, so an argument that is exactly Bas, Std
// or Adv counts as well as one that still holds the quoted word. Arguments exclude the program.
namespace EditionChoice {

// The edition the arguments name: Basic, then Standard, then Advanced are looked for in that order
// and the first found wins; none when no argument names one.
std::optional<Edition> FromArguments(const QStringList& arguments);

// The edition of a bare word, Bas, Std or Adv; none for anything else.
std::optional<Edition> FromWord(const QString& word);

// The bare word of an edition.
QString Word(Edition edition);

// Whether one argument names the given edition.
bool NamesEdition(const QString& argument, Edition edition);

// The file to open: the first argument that is neither an edition word nor empty; empty when none.
QString FileArgument(const QStringList& arguments);

} // namespace EditionChoice
