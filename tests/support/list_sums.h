#pragma once
// Sums read back from the income and expense verification lists, shared by
// the tests that check the books against their lines.
#include "store/amount.h"
#include "store/store_layout.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <map>

namespace audit {

using mv::Amount;

// The amount that ends a line. A running total too wide for its column
// stands right after its "=" (values are never cut).
inline Amount lastAmountOf(const QString& line) {
    return Amount::parseLenient(line.mid(std::max(line.lastIndexOf(u' '), line.lastIndexOf(u'=')) + 1));
}

// Sums read back from the verification lists.
struct BlockSums {
    std::map<QString, Amount> types;    // type name -> sum of its type lines
    std::map<QString, Amount> vatFiles; // file path -> sum of its VAT lines
    Amount rounding;
};

inline void readList(const mv::PathTable& paths, const QString& text, bool income, BlockSums& s) {
    QString type;
    bool inAmounts = false;
    const QStringList lines = text.split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("Konto              = "))) {
            type = line.mid(21);
            inAmounts = false;
            continue;
        }
        if (line == QString(60, u'-')) {
            inAmounts = !inAmounts;
            continue;
        }
        if (!inAmounts) continue;
        static const QRegularExpression vat(QStringLiteral("^Momskonto (\\d+)( Omvänd utgående)? "));
        const QRegularExpressionMatch m = vat.match(line);
        if (m.hasMatch()) {
            const int rate = m.captured(1).toInt();
            if (!m.captured(2).isEmpty())
                s.vatFiles[paths.reverseVat(rate)] -= lastAmountOf(line);
            else
                s.vatFiles[income ? paths.outputVat(rate) : paths.inputVat(rate)] += lastAmountOf(line);
        } else if (line.startsWith(QString::fromUtf8("Öresutjämning "))) {
            s.rounding += income ? lastAmountOf(line) : -lastAmountOf(line);
        } else if (!line.startsWith(QStringLiteral("Boka mot ")) &&
                   !line.startsWith(QStringLiteral("Boka in mot ")) &&
                   !line.startsWith(QStringLiteral("Boka ut mot ")) &&
                   !line.startsWith(QStringLiteral("Bokat mot "))) {
            s.types[type] += lastAmountOf(line);
        }
    }
}

} // namespace audit
