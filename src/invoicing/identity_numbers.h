#pragma once
// Swedish identity numbers as the invoices and the files for Skatteverket
// need them: a person's identity number (personnummer, or the coordination
// number whose day is raised by 60) and an organisation number, both ten
// digits whose last is the mod-10 (Luhn) check digit of the nine before it.
//
// A sole trader's organisation number is the owner's identity number; the
// company details carry it inside the VAT registration number "SE" + ten
// digits + "01".
#include <QDate>
#include <QString>

#include <optional>

namespace mv {

// A person's identity number as typed: "YYMMDD-NNNN", "YYMMDD+NNNN" (a
// hundred years or older), "YYMMDDNNNN", "YYYYMMDD-NNNN" or "YYYYMMDDNNNN",
// blanks around ignored. The twelve digits YYYYMMDDNNNN when the date is a
// real date (day + 60 for a coordination number) no later than today and the
// check digit holds; nothing otherwise. A ten-digit number takes the century
// that makes the person younger than a hundred years on today (older with
// "+").
std::optional<QString> personalIdentityNumber(const QString& typed, const QDate& today);

// An organisation number as typed: "NNNNNN-NNNN" or ten digits, blanks
// around ignored. The ten digits when the check digit holds.
std::optional<QString> organisationNumber(const QString& typed);

// The ten digits inside a Swedish VAT registration number "SE" + ten digits
// + "01" (blanks and hyphens between the digits ignored, "se" in any case),
// when the ten digits are a valid identity or organisation number.
std::optional<QString> organisationNumberOfVatNumber(const QString& vatNumber);

// "NNNNNN-NNNN" of ten digits.
QString hyphenatedNumber(const QString& tenDigits);

} // namespace mv
