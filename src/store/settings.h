#pragma once
// Company details, bookkeeping settings, backup target and invoice texts of
// the selected year, held in ONE in-memory record. Only loading (start-up,
// year activation) and a successful save change it; every other part of the
// program reads its values from here, never from the pages' fields.
//
// Files (in the year's foretaget folder): foretaget.kdb (13 lines),
// installningar.kdb (11 lines), kopiering.kdb (first line), faktura.kdb (10 lines).
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace mv {

inline constexpr int companyLineCount = 13;
inline constexpr int settingsFieldCount = 11;
inline constexpr int invoiceTextCount = 10;

// Labels as the pages show them, in file order.
const std::array<QString, companyLineCount>& companyLabels();
const std::array<QString, settingsFieldCount>& settingsLabels();

// Field numbers (1-based, as in the file) of the settings.
namespace setting {
inline constexpr int selfEmployedDeduction = 1; // Schablonavdrag, för egenavgift i %
inline constexpr int selfEmployedFee = 2;       // Egenavgift i %
inline constexpr int incomeTax = 3;             // Inkomstskatt i %
inline constexpr int stockDeduction = 4;        // Schablonavdrag, för varulager i %
inline constexpr int depreciation = 5;          // Inventarie, avskrivning per år i %
inline constexpr int vat1 = 6;                  // Moms 1 i %
inline constexpr int vat2 = 7;
inline constexpr int vat3 = 8;
inline constexpr int vat4 = 9;            // or "x": not used
inline constexpr int houseWorkLevel = 10; // Husavdrag, nivå i %
inline constexpr int wholeKronor = 11;    // "JA" / "NEJ"
} // namespace setting

struct CompanyDetails {
    std::array<QString, companyLineCount> lines; // as stored; line 1 empty when shorter than 2
    const QString& name() const { return lines[0]; }
};

struct Settings {
    // As loaded or saved: field 10 "50" when stored empty, field 11 "JA" when
    // stored empty. Index 0 is field 1.
    std::array<QString, settingsFieldCount> fields;
    const QString& field(int number) const { return fields[size_t(number - 1)]; }

    // VAT rate n (1..4) as a whole percentage; nullopt when it is "x", empty
    // or not a whole number.
    std::optional<int> vatRate(int n) const;
    // The rates in use, in field order (duplicates kept once).
    QList<int> vatRates() const;
    // True when rate equals one of the four VAT rates.
    bool isVatRate(int rate) const;
    // A percentage field (1-5, 10) in hundredths of a percent, read leniently
    // ("28.97" gives 2897, "abc" 0). Use as amount.mulDiv(value, 10000).
    std::int64_t percentHundredths(int number) const;
};

struct YearRecord {
    CompanyDetails company;
    Settings settings;
    // 1 when field 11 reads "JA", 0 for "NEJ"; any other value keeps it.
    int wholeKronor = 0;
    QString backupTarget = QStringLiteral("C:\\");
    QString backupSource; // the working directory
    std::array<QString, invoiceTextCount> invoiceTexts;
};

// The one record.
const YearRecord& yearRecord();
// Back to the start-up state (empty values); for a fresh start and tests.
void resetYearRecord();

// --- Loading ------------------------------------------------------------------

// Fills the record from the year's files: start-up and every activation. A
// missing file leaves its part of the record as it was. Stored values are
// taken as they are (only an empty line is empty); a company name shorter
// than 2 characters is shown empty and sets firstStartProgress to 1.
void loadYearRecord(const PathTable& paths, const QString& workingDir, int& firstStartProgress);

// The parts, for the loader and for whoever saves one of them.
int loadCompanyDetails(const PathTable& paths, int& firstStartProgress); // readWhole code
int loadSettings(const PathTable& paths);                                // readWhole code
int loadBackupTarget(const PathTable& paths, const QString& workingDir); // readWhole code
int loadInvoiceTexts(const PathTable& paths);                            // readWhole code

// --- Saving -------------------------------------------------------------------

// Refusal of a typed value, or nullopt when every value may be stored.
// Settings: fields 1-5 plain numbers (digits, one decimal point; a decimal
// comma is taken as a point), 6-8 whole numbers 0..49, 9 such a number or "x",
// 10 a plain number or empty; every field only characters code page 1252 can
// store. Field 11 is not judged here (see saveSettings).
std::optional<Message> validateSettings(const std::array<QString, settingsFieldCount>& typed);
std::optional<Message> validateCompanyDetails(const std::array<QString, companyLineCount>& typed);

// The stored form of a typed settings value (blanks around removed, decimal
// comma made a point, "X" made "x").
QString normalizedSetting(int number, const QString& typed);

// Field 11: "JA" or "NEJ" for any case of ja/nej, else "FEL".
QString wholeKronorAnswer(const QString& typed);
// The message for a field-11 answer that is neither (titled with the answer).
Message wholeKronorRefusal(const QString& typed);

struct SaveOutcome {
    int code = 0;        // 0 saved; 1 refused (nothing written); 3 the write failed
    QString field11;     // settings: what field 11 shows after the save ("JA", "NEJ", "FEL")
    int postCommand = 0; // 1015 (the tools page) after a save
};

// Validates, writes the 11 lines atomically and updates the record. A refused
// value shows its INMATNINGSFEL message and nothing is written; a field-11
// answer other than ja/nej shows its message and is stored as "FEL" (the
// whole-kronor flag keeps its value); a failed write shows the STOPP message
// and leaves the record unchanged.
SaveOutcome saveSettings(const PathTable& paths,
                         const std::array<QString, settingsFieldCount>& typed,
                         const ShowMessage& show);

// Validates, writes the 13 lines atomically, updates the record and sets
// firstStartProgress to 0.
SaveOutcome saveCompanyDetails(const PathTable& paths,
                               const std::array<QString, companyLineCount>& typed,
                               int& firstStartProgress, const ShowMessage& show);

// For the owners of kopiering.kdb and faktura.kdb: after THEIR successful
// save, put the saved values into the record.
void recordBackupTarget(const QString& target);
void recordInvoiceTexts(const std::array<QString, invoiceTextCount>& texts);

// The default settings of a first year (11 lines, each with its line end).
QString defaultSettingsText();

} // namespace mv
