#include "interchange/bas_accounts.h"

#include <algorithm>

namespace mv {

QString accountKindCode(AccountKind kind) {
    switch (kind) {
    case AccountKind::Asset:
        return QStringLiteral("T");
    case AccountKind::Debt:
        return QStringLiteral("S");
    case AccountKind::Income:
        return QStringLiteral("I");
    case AccountKind::Cost:
        return QStringLiteral("K");
    }
    return QString();
}

int sruCodeOfBox(const QString& box) {
    static const std::pair<const char*, int> codes[] = {
        {"B1", 7200},  {"B2", 7210},  {"B3", 7211},  {"B4", 7212},  {"B5", 7213},  {"B6", 7240},
        {"B7", 7250},  {"B8", 7260},  {"B9", 7280},  {"B10", 7300}, {"B11", 7380}, {"B12", 7381},
        {"B13", 7382}, {"B14", 7383}, {"B15", 7384}, {"B16", 7385}, {"R1", 7400},  {"R2", 7401},
        {"R3", 7402},  {"R4", 7403},  {"R5", 7500},  {"R6", 7501},  {"R7", 7502},  {"R8", 7503},
        {"R9", 7504},  {"R10", 7505}, {"R11", 7440},
    };
    for (const auto& [b, code] : codes)
        if (box == QLatin1String(b)) return code;
    return 0;
}

const std::vector<BasAccount>& basAccounts() {
    using K = AccountKind;
    static const std::vector<BasAccount> table = {
        {1220, "Inventarier och verktyg", K::Asset, "B4"},
        {1222, "Sålda inventarier", K::Asset, "B4"},
        {1400, "Lager av varor", K::Asset, "B6"},
        {1500, "Kundfordringar", K::Asset, "B7"},
        {1910, "Kassa", K::Asset, "B9"},
        {1920, "Bank", K::Asset, "B9"},
        {1921, "Bank 2", K::Asset, "B9"},
        {1922, "Bank 3", K::Asset, "B9"},
        {1923, "Bank 4", K::Asset, "B9"},
        {1924, "Bank 5", K::Asset, "B9"},
        {2010, "Eget kapital", K::Debt, "B10"},
        {2019, "Årets resultat", K::Debt, "B10"},
        {2350, "Skulder till kreditinstitut", K::Debt, "B13"},
        {2390, "Övriga låneskulder", K::Debt, "B13"},
        {2440, "Leverantörsskulder", K::Debt, "B15"},
        {2610, "Utgående moms, övriga momssatser", K::Debt, "B14"},
        {2611, "Utgående moms 25 %", K::Debt, "B14"},
        {2617, "Utgående moms omvänd betalningsskyldighet 25 %", K::Debt, "B14"},
        {2621, "Utgående moms 12 %", K::Debt, "B14"},
        {2627, "Utgående moms omvänd betalningsskyldighet 12 %", K::Debt, "B14"},
        {2631, "Utgående moms 6 %", K::Debt, "B14"},
        {2637, "Utgående moms omvänd betalningsskyldighet 6 %", K::Debt, "B14"},
        {2640, "Ingående moms", K::Debt, "B14"},
        {2650, "Momsskillnad från föregående år", K::Debt, "B14"},
        {3000, "Försäljning", K::Income, "R1"},
        {3100, "Momsfri försäljning", K::Income, "R2"},
        {3211, "Försäljning, omvänd betalningsskyldighet", K::Income, "R1"},
        {3740, "Öres- och kronutjämning", K::Income, "R2"},
        {4000, "Inköp av varor och material", K::Cost, "R5"},
        {4600, "Legoarbeten och underentreprenader", K::Cost, "R5"},
        {4641, "Inköp, omvänd betalningsskyldighet", K::Cost, "R5"},
        {4990, "Förändring av varulager", K::Cost, "R5"},
        {5410, "Förbrukningsinventarier", K::Cost, "R6"},
        {6900, "Övriga externa kostnader", K::Cost, "R6"},
        {6990, "Momsfria kostnader", K::Cost, "R6"},
        {7700, "Utrangering av inventarier", K::Cost, "R10"},
        {7832, "Avskrivningar på inventarier och verktyg", K::Cost, "R10"},
        {8310, "Ränteintäkter", K::Income, "R4"},
        {8410, "Räntekostnader", K::Cost, "R8"},
        {8999, "Årets resultat", K::Cost, ""},
    };
    return table;
}

const BasAccount* findBasAccount(int number) {
    const auto& t = basAccounts();
    const auto it = std::find_if(t.begin(), t.end(),
                                 [number](const BasAccount& a) { return a.number == number; });
    return it == t.end() ? nullptr : &*it;
}

const std::vector<TypeAccount>& typeAccounts() {
    static const std::vector<TypeAccount> table = {
        {"Inkomst, Arbete och Tjänst", 3000, ""},
        {"Inkomst, Varor o material", 3000, ""},
        {"Inkomst, Annat", 3000, ""},
        {"Inkomst, Omvänd moms", 3211, ""},
        {"Inkomst, Momsfritt", 3100, ""},
        {"Inkomst, Räntor", 8310, ""},
        {"Inkomst, Inventarier", 1222, ""},
        {"Inlåning, Från bank", 2350, ""},
        {"Inlåning, Från ägaren", 2390, ""},
        {"Inlåning, Från annan", 2390, ""},
        {"Justering, Utbokning momstillgång", 2650, ""},
        {"Bokslut, Kundfordringar", 1500, ""},
        {"Utgift, Varor o material", 4000, ""},
        {"Utgift, Arbete och Tjänst", 4600, ""},
        {"Utgift, Annat", 6900, ""},
        {"Utgift, Omvänd moms", 4641, ""},
        // The ledger lists it as 4100 in R5; the closing basis counts it among
        // the other external costs (R6), so it is booked on an R6 account.
        {"Utgift, Momsfritt", 6990,
         "Huvudboken 4100 (R5); bokslutsunderlaget räknar kostnaden i R6"},
        {"Utgift, Räntor (på lån, krediter mm)", 8410, ""},
        // The ledger lists it as 1220 in B4; the closing basis writes it off
        // when bought, as an other external cost (R6), and never counts it
        // among the fixed assets.
        {"Utgift, Inventarier", 5410,
         "Huvudboken 1220 (B4); bokslutsunderlaget skriver av inköpet direkt i R6"},
        {"Utgift, Inventarier (med avskr)", 1220, ""},
        {"Utgift, Inventarier Utbokat", 7700, ""},
        {"Utgift, Uttag för egen lön", 2010, ""},
        {"Utgift, Uttag för egen skatt", 2010, ""},
        {"Utgift, Betalning av Inlåning, Från bank", 2350, ""},
        {"Utgift, Betalning av Inlåning, Från ägaren", 2390, ""},
        {"Utgift, Betalning av Inlåning, Från annan", 2390, ""},
        {"Justering, Utbokning momsskuld", 2650, ""},
        {"Bokslut, Leverantörsskulder", 2440, ""},
    };
    return table;
}

int accountOfType(const TransactionType& type) {
    for (const TypeAccount& t : typeAccounts())
        if (type.name == QString::fromUtf8(t.type)) return t.account;
    return 0;
}

int moneyAccountNumber(int slot) {
    static const int numbers[6] = {1910, 1920, 1921, 1922, 1923, 1924};
    return slot >= 1 && slot <= 6 ? numbers[slot - 1] : 0;
}

int outputVatAccount(int rate) {
    switch (rate) {
    case 25:
        return 2611;
    case 12:
        return 2621;
    case 6:
        return 2631;
    default:
        return 2610;
    }
}

int reverseVatAccount(int rate) {
    switch (rate) {
    case 12:
        return 2627;
    case 6:
        return 2637;
    default:
        return 2617;
    }
}

} // namespace mv
