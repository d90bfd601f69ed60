#include "app/EditionChoice.h"

#include <array>

namespace EditionChoice {

namespace {

constexpr std::array<Edition, 3> kSearchOrder = {Edition::Basic, Edition::Standard,
                                                 Edition::Advanced};

bool IsEditionArgument(const QString& argument) {
    for (Edition edition : kSearchOrder)
        if (NamesEdition(argument, edition))
            return true;
    return false;
}

} // namespace

QString Word(Edition edition) {
    switch (edition) {
    case Edition::Basic:
        return QStringLiteral("Bas");
    case Edition::Standard:
        return QStringLiteral("Std");
    case Edition::Advanced:
        return QStringLiteral("Adv");
    }
    return {};
}

std::optional<Edition> FromWord(const QString& word) {
    for (Edition edition : kSearchOrder)
        if (word == Word(edition))
            return edition;
    return std::nullopt;
}

bool NamesEdition(const QString& argument, Edition edition) {
    const QString word = Word(edition);
    return argument == word || argument.contains(u'"' + word + u'"');
}

std::optional<Edition> FromArguments(const QStringList& arguments) {
    for (Edition edition : kSearchOrder)
        for (const QString& argument : arguments)
            if (NamesEdition(argument, edition))
                return edition;
    return std::nullopt;
}

QString FileArgument(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (!argument.isEmpty() && !IsEditionArgument(argument))
            return argument;
    return {};
}

} // namespace EditionChoice
