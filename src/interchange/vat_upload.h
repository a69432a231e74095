#pragma once
// Skatteverket's upload file of a VAT return ("eSKDUpload" version 6.0): an
// XML file in ISO-8859-1 with the organisation number, the period (the year
// and the period's last month) and every box that is not zero in whole
// kronor, the öre left out; box 49 is worked out from the boxes as the file
// gives them, as Skatteverket sums the return. The file is uploaded in
// Skatteverket's e-service for the VAT return.
#include "interchange/vat_return.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace mv {

// The refusal of a return the file cannot carry (VAT at a rate without a box).
std::optional<Message> vatUploadRefusal(const VatReturn& r);

// The file's text and its bytes (ISO-8859-1, CR LF line ends).
QString vatUploadText(const VatReturn& r, const QString& orgNumber, const QString& periodCode);
QByteArray vatUploadBytes(const VatReturn& r, const QString& orgNumber, const QString& periodCode);

// The default file name: "<org.nr>_moms_<period>.eskd".
QString vatUploadFileName(const QString& orgNumber, const QString& periodCode);

} // namespace mv
