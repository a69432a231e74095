#include "store/settings.h"

#include "store/change_set.h"
#include "store/record_file.h"
#include "store/storable_text.h"
#include "store/text_codec.h"
#include "store/text_util.h"

#include <QRegularExpression>

namespace mv {

namespace {

YearRecord& record() {
    static YearRecord instance;
    return instance;
}

// The line at index of a stored text, "" when the text has fewer lines.
QString lineAt(const QStringList& lines, int index) {
    return index < lines.size() ? lines[index] : QString();
}

// A control character (which would break the one-value-per-line record) or
// the first character code page 1252 cannot store, or nullopt.
std::optional<QString> unstorableCharacter(const QString& text) {
    qsizetype control = 0;
    while (control < text.size() && text[control].unicode() >= 0x20 && text[control].unicode() != 0x7f) ++control;
    if (const auto c = unholdableCharacter(text.left(control))) return c;
    if (control < text.size()) return QString(text[control]);
    return std::nullopt;
}

Message numberRefusal(const QString& label) {
    return inputErrorMessage(QStringLiteral("Felaktigt värde i fältet '") + label +
                             QStringLiteral("'!\n\nSkriv ett tal."));
}

bool isPlainNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    return re.match(text).hasMatch();
}

bool isVatRateText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,2}$"));
    return re.match(text).hasMatch() && text.toInt() <= 49;
}

// Field 10 as a load shows it, field 11 likewise.
void applyLoadRules(Settings& s) {
    if (s.fields[9].isEmpty()) s.fields[9] = QStringLiteral("50");
    if (s.fields[10].isEmpty()) s.fields[10] = QStringLiteral("JA");
}

void applyWholeKronorFlag(const QString& field11) {
    const QString upper = field11.toUpper();
    if (upper == QLatin1String("JA"))
        record().wholeKronor = 1;
    else if (upper == QLatin1String("NEJ"))
        record().wholeKronor = 0;
}

} // namespace

const std::array<QString, companyLineCount>& companyLabels() {
    static const std::array<QString, companyLineCount> labels = {
        QStringLiteral("Namn"),
        QStringLiteral("Gata / Box"),
        QStringLiteral("Postnummer"),
        QStringLiteral("Ort"),
        QStringLiteral("Kontakt"),
        QStringLiteral("Telnr"),
        QStringLiteral("Mobilnr"),
        QStringLiteral("Webbaddress"),
        QStringLiteral("Mailaddress"),
        QStringLiteral("Bank"),
        QStringLiteral("Bankgiro"),
        QStringLiteral("Plusgiro"),
        QStringLiteral("Momsregistreringsnr")};
    return labels;
}

const std::array<QString, settingsFieldCount>& settingsLabels() {
    static const std::array<QString, settingsFieldCount> labels = {
        QStringLiteral("Schablonavdrag, för egenavgift i %"),
        QStringLiteral("Egenavgift i %"),
        QStringLiteral("Inkomstskatt i %"),
        QStringLiteral("Schablonavdrag, för varulager i %"),
        QStringLiteral("Inventarie, avskrivning per år i %"),
        QStringLiteral("Moms 1 i %"),
        QStringLiteral("Moms 2 i %"),
        QStringLiteral("Moms 3 i %"),
        QStringLiteral("Moms 4 i % ( = 'x' om ej används )"),
        QStringLiteral("Husavdrag, nivå i %"),
        QStringLiteral("Hela kronor i faktura förbockad (Ja/Nej)")};
    return labels;
}

// --- Settings values -------------------------------------------------------------

std::optional<int> Settings::vatRate(int n) const {
    if (n < 1 || n > 4) return std::nullopt;
    const QString text = field(setting::vat1 + n - 1).trimmed();
    bool ok = false;
    const int rate = text.toInt(&ok);
    if (!ok || rate < 0) return std::nullopt;
    return rate;
}

QList<int> Settings::vatRates() const {
    QList<int> rates;
    for (int n = 1; n <= 4; ++n)
        if (const auto r = vatRate(n); r && !rates.contains(*r)) rates << *r;
    return rates;
}

bool Settings::isVatRate(int rate) const {
    return vatRates().contains(rate);
}

std::int64_t Settings::percentHundredths(int number) const {
    if (number < 1 || number > settingsFieldCount) return 0;
    // Lenient, as stored values have always been read: digits, then at most
    // two decimals after a point (further decimals are cut, not rounded).
    const QString text = field(number).trimmed();
    std::int64_t whole = 0;
    qsizetype i = 0;
    while (i < text.size() && text[i].isDigit() && whole < 1000000000)
        whole = whole * 10 + text[i++].digitValue();
    std::int64_t fraction = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (int k = 0; k < 2; ++k) {
            fraction *= 10;
            if (i < text.size() && text[i].isDigit()) fraction += text[i++].digitValue();
        }
    }
    return whole * 100 + fraction;
}

// --- The record ---------------------------------------------------------------------

const YearRecord& yearRecord() {
    return record();
}

void resetYearRecord() {
    record() = YearRecord();
}

void recordBackupTarget(const QString& target) {
    record().backupTarget = target;
}

void recordInvoiceTexts(const std::array<QString, invoiceTextCount>& texts) {
    record().invoiceTexts = texts;
}

// --- Loading ------------------------------------------------------------------------

int loadCompanyDetails(const PathTable& paths, int& firstStartProgress) {
    QString text;
    const int rc = readWhole(paths.company, text);
    if (rc != 0) return rc;
    const QStringList lines = readFields(text);
    CompanyDetails company;
    for (int i = 0; i < companyLineCount; ++i)
        company.lines[size_t(i)] = lineAt(lines, i);
    if (company.lines[0].size() < 2) {
        company.lines[0].clear();
        firstStartProgress = 1;
    }
    record().company = company;
    return 0;
}

int loadSettings(const PathTable& paths) {
    QString text;
    const int rc = readWhole(paths.settings, text);
    if (rc != 0) return rc;
    const QStringList lines = readFields(text);
    Settings s;
    for (int i = 0; i < settingsFieldCount; ++i)
        s.fields[size_t(i)] = lineAt(lines, i);
    applyLoadRules(s);
    record().settings = s;
    applyWholeKronorFlag(s.fields[10]);
    return 0;
}

int loadBackupTarget(const PathTable& paths, const QString& workingDir) {
    record().backupSource = workingDir;
    QString text;
    const int rc = readWhole(paths.backupPaths, text);
    if (rc != 0) return rc;
    const QString first = lineAt(readFields(text), 0).left(260);
    record().backupTarget = first.isEmpty() ? QStringLiteral("C:\\") : first;
    return 0;
}

int loadInvoiceTexts(const PathTable& paths) {
    QString text;
    const int rc = readWhole(paths.invoiceTexts, text);
    if (rc != 0) return rc;
    const QStringList lines = readFields(text);
    for (int i = 0; i < invoiceTextCount; ++i)
        record().invoiceTexts[size_t(i)] = lineAt(lines, i);
    return 0;
}

void loadYearRecord(const PathTable& paths, const QString& workingDir, int& firstStartProgress) {
    loadCompanyDetails(paths, firstStartProgress);
    loadSettings(paths);
    loadBackupTarget(paths, workingDir);
    loadInvoiceTexts(paths);
}

// --- Validation ---------------------------------------------------------------------

QString normalizedSetting(int number, const QString& typed) {
    QString v = typed.trimmed();
    if (number >= 1 && number <= setting::houseWorkLevel && number != setting::wholeKronor)
        v.replace(QLatin1Char(','), QLatin1Char('.'));
    if (number == setting::vat4 && v == QLatin1String("X")) v = QStringLiteral("x");
    if (number >= setting::vat1 && number <= setting::vat4 && isVatRateText(v))
        v = QString::number(v.toInt()); // "06" is the rate 6
    return v;
}

std::optional<Message> validateSettings(const std::array<QString, settingsFieldCount>& typed) {
    for (int number = 1; number <= settingsFieldCount; ++number) {
        const QString& raw = typed[size_t(number - 1)];
        if (const auto c = unstorableCharacter(raw)) return characterRefusal(*c);
        if (number == setting::wholeKronor) continue;
        const QString v = normalizedSetting(number, raw);
        bool good = false;
        if (number <= setting::depreciation)
            good = isPlainNumber(v);
        else if (number <= setting::vat3)
            good = isVatRateText(v);
        else if (number == setting::vat4)
            good = v == QLatin1String("x") || isVatRateText(v);
        else
            good = v.isEmpty() || isPlainNumber(v);
        if (!good) return numberRefusal(settingsLabels()[size_t(number - 1)]);
    }
    return std::nullopt;
}

std::optional<Message> validateCompanyDetails(const std::array<QString, companyLineCount>& typed) {
    for (const QString& value : typed)
        if (const auto c = unstorableCharacter(value)) return characterRefusal(*c);
    return std::nullopt;
}

QString wholeKronorAnswer(const QString& typed) {
    const QString upper = typed.toUpper();
    if (upper == QLatin1String("JA") || upper == QLatin1String("NEJ")) return upper;
    return QStringLiteral("FEL");
}

Message wholeKronorRefusal(const QString& typed) {
    return {typed,
            QStringLiteral(
                "Välj endast JA eller NEJ\n\nGå tillbaka till 'Inställningar' och välj på nytt!"),
            QStringLiteral("STOP"), QStringLiteral("OK")};
}

// --- Saving -------------------------------------------------------------------------

namespace {
// A form is saved as a change of the books like every other.
CommitOutcome saveOneFile(const PathTable& paths, Operation op, const QString& path,
                          const QString& text) {
    ChangeSet set(op);
    set.setText(path, text);
    return commitChangeSet(paths, set, 0);
}
} // namespace

SaveOutcome saveSettings(const PathTable& paths,
                         const std::array<QString, settingsFieldCount>& typed,
                         const ShowMessage& show) {
    SaveOutcome out;
    if (const auto refusal = validateSettings(typed)) {
        if (show) show(*refusal);
        out.code = 1;
        return out;
    }
    Settings s;
    for (int number = 1; number < settingsFieldCount; ++number)
        s.fields[size_t(number - 1)] = normalizedSetting(number, typed[size_t(number - 1)]);
    out.field11 = wholeKronorAnswer(typed[10]);
    if (out.field11 == QLatin1String("FEL") && show) show(wholeKronorRefusal(typed[10]));
    s.fields[10] = out.field11;

    QString text;
    for (const QString& v : s.fields)
        text += v + QLatin1Char('\n');
    if (const CommitOutcome c = saveOneFile(paths, Operation::SettingsSave, paths.settings, text); !c.ok) {
        if (show) show(c.message);
        out.code = 3;
        return out;
    }
    applyLoadRules(s);
    record().settings = s;
    applyWholeKronorFlag(out.field11);
    out.postCommand = 1015;
    return out;
}

SaveOutcome saveCompanyDetails(const PathTable& paths,
                               const std::array<QString, companyLineCount>& typed,
                               int& firstStartProgress, const ShowMessage& show) {
    SaveOutcome out;
    if (const auto refusal = validateCompanyDetails(typed)) {
        if (show) show(*refusal);
        out.code = 1;
        return out;
    }
    QString text;
    for (const QString& v : typed)
        text += v + QLatin1Char('\n');
    if (const CommitOutcome c = saveOneFile(paths, Operation::CompanySave, paths.company, text); !c.ok) {
        if (show) show(c.message);
        out.code = 3;
        return out;
    }
    CompanyDetails company;
    company.lines = typed;
    if (company.lines[0].size() < 2) company.lines[0].clear();
    record().company = company;
    firstStartProgress = 0;
    out.postCommand = 1015;
    return out;
}

QString defaultSettingsText() {
    // Field 11 is written with its line end, so that it loads as NEJ.
    return QStringLiteral("25\n32\n35\n3\n30\n25\n12\n6\nx\n50\nNEJ\n");
}

} // namespace mv
