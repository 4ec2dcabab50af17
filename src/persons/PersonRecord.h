#pragma once

#include "typology/ShownProfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// One saved person: six texts, written as six double-quoted fields separated by commas.
struct PersonRecord
{
    QString lastName;
    QString firstName;
    QString type;
    QString wing1;
    QString wing2;
    QString profile;

    QStringList fields() const { return {lastName, firstName, type, wing1, wing2, profile}; }
    // Every text without the blanks around it, as a line typed on screen is saved.
    PersonRecord trimmed() const
    {
        return {lastName.trimmed(), firstName.trimmed(), type.trimmed(),
                wing1.trimmed(),    wing2.trimmed(),     profile.trimmed()};
    }
    bool isComplete() const { return !lastName.isEmpty() && !firstName.isEmpty(); }
    bool sameNames(const PersonRecord& other) const
    {
        return lastName == other.lastName && firstName == other.firstName;
    }
    bool operator==(const PersonRecord&) const = default;
};

// The user's and the partner's lines as they are saved from the window: trimmed, the user with the profile of the
// shown scores, the partner without wings or profile.
PersonRecord savedUser(const ShownProfile& shown);
PersonRecord savedPartner(const ShownProfile& shown);

// The profile field: the nine scores of types 1 to 9, one digit each.
QString profileDigits(const std::array<qint16, 10>& scores);
// The scores a profile field stands for: a character that is not a digit, or a missing one, counts as 0.
std::array<qint16, 10> scoresFromProfile(const QString& profile);

// The line of a record, in Windows-1252, without its line end. The record must have passed checkStorable.
QByteArray formatRecordLine(const PersonRecord& record);

// What keeps a line from being a record.
enum class LineProblem { None, NotQuoted, QuoteNotClosed, TooFewFields, TooManyFields };

// The six fields of a line, still in Windows-1252, without their quotes; LineProblem::None when the line is exactly
// six quoted fields separated by commas. Text between a closing quote and the next comma is skipped. With wanted
// below six, stops after that many fields without checking the rest of the line.
LineProblem splitRecordLine(QByteArrayView line, std::array<QByteArrayView, 6>& fields, std::size_t wanted = 6);

// Reads one line; nothing when it is not exactly six quoted fields separated by commas.
std::optional<PersonRecord> parseRecordLine(QByteArrayView line);

enum class RecordField { LastName, FirstName, Type, Wing1, Wing2, Profile };

struct StorableProblem
{
    RecordField field;
    QString character; // how the offending character is named to the user
};

// A double quote, a ";", a control character or a character outside Windows-1252 would be stored wrongly or read
// back as another person.
std::optional<StorableProblem> checkStorable(const PersonRecord& record);
