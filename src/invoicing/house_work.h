#pragma once
// What a house-work invoice (ROT or RUT) records for Skatteverket besides its
// amounts: the buyer's identity number, the kind of work and its hours, and
// for ROT work the property (its designation, or the housing cooperative's
// organisation number and the apartment number). The form checks them
// before the invoice is saved; the claim document <n + 1>_BU.kdb keeps them
// as labelled lines under its header, which a claim saved before these
// lines existed simply does not have.
//
// The share Skatteverket pays of the labour including VAT depends on the
// kind of work and the day the buyer paid.
#include "store/amount.h"
#include "store/user_message.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace mv {

enum class HouseWorkKind { Rot, Rut };

struct WorkType {
    HouseWorkKind kind;
    const char* label; // as the form lists it: "ROT, Bygg"
    const char* code;  // Skatteverket's name of the work in the claim file
};

// The kinds of work Skatteverket takes, ROT first.
const std::vector<WorkType>& houseWorkTypes();
// The work type of a label; nullptr for any other text.
const WorkType* findWorkType(const QString& label);

// As typed on the form, and as read back from a claim document.
struct HouseWorkDetails {
    QString buyer;       // the buyer's identity number
    QString workType;    // a label of houseWorkTypes()
    QString hours;       // whole hours
    QString property;    // ROT: the property designation
    QString cooperative; // ROT: the housing cooperative's organisation number
    QString apartment;   // ROT: the apartment number in the cooperative
    bool operator==(const HouseWorkDetails&) const = default;
};

// Which detail a refusal points at.
enum class HouseWorkField { None, Buyer, WorkType, Hours, Property, Cooperative, Apartment };

struct HouseWorkCheck {
    std::optional<Message> refusal; // empty when the details may be saved
    HouseWorkField field = HouseWorkField::None;
    HouseWorkDetails stored;        // the details as the document keeps them
};

// The checks of the form: a valid identity number (its check digit), one of
// the work types, whole hours from 1 to 9999, and for ROT either a property
// designation or a valid cooperative organisation number with an apartment
// number (not both). RUT keeps no property. The stored form has the identity
// number as "YYYYMMDD-NNNN" and the organisation number as "NNNNNN-NNNN".
HouseWorkCheck checkHouseWorkDetails(const HouseWorkDetails& typed, const QDate& today);

// The labelled lines of the claim document (each without its line end).
QStringList houseWorkDetailLines(const HouseWorkDetails& stored);
// The details of a claim document; nothing when it has none (saved before
// the details were kept).
std::optional<HouseWorkDetails> readHouseWorkDetails(const QString& claimDocument);

// The amounts of a saved house-work invoice and its claim, as the claim file
// states them: the labour (row 1) and the material and other rows (2 to 10
// and 13) with their VAT, the amount the invoice asks the buyer to pay and
// the amount the claim asks of Skatteverket.
struct HouseWorkFigures {
    bool ok = false; // both documents could be read
    int rate = 0;
    Amount labour, labourVat;
    Amount material, materialVat;
    Amount toPay;   // "Att betala" of the invoice
    Amount claimed; // "för Husarbete" of the claim
    Amount labourPrice() const { return labour + labourVat; }
    Amount materialCost() const { return material + materialVat; }
};
HouseWorkFigures readHouseWorkFigures(const QString& invoiceDocument, const QString& claimDocument);

// The house-work notice every house-work invoice and claim carries: how a
// saved document is known as one.
bool isHouseWorkDocument(const QString& document);

// The share of the labour including VAT that Skatteverket pays, in
// hundredths of a per cent, for work of the kind paid on that day; 0 when no
// deduction existed then. ROT: 50 % from 2008-12-08, 30 % from 2016-01-01,
// 50 % from 2025-05-12, 30 % from 2026-01-01. RUT: 50 % from 2007-07-01.
int houseWorkShareHundredths(HouseWorkKind kind, const QDate& paid);

} // namespace mv
