#include "store/change_set.h"

#include "store/change_journal.h"
#include "store/file_digest.h"
#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/stamping.h"
#include "store/text_codec.h"
#include "store/text_util.h"

#include <QFile>
#include <QFileInfo>

#include <map>

namespace mv {

int recoverEarlierBookingRecord(const PathTable& paths); // legacy_booking_record.cpp

QString storedText(const QString& path, bool* existed) {
    QFile f(normalizePath(path));
    const bool open = f.open(QIODevice::ReadOnly);
    if (existed) *existed = open;
    if (!open) return QString();
    return decodeStored(f.readAll());
}

// --- The set ---------------------------------------------------------------------

ChangeSet::Entry& ChangeSet::entry(const QString& path) {
    const QString p = normalizePath(path);
    for (Entry& e : entries_)
        if (e.path == p) return e;
    Entry e;
    e.path = p;
    const FileState s = fileState(p);
    e.existed = s.exists;
    e.oldSize = s.size;
    entries_.push_back(e);
    return entries_.back();
}

void ChangeSet::load(Entry& e) {
    if (e.loaded) return;
    e.before = storedText(e.path);
    e.loaded = true;
}

QString ChangeSet::text(const QString& path) {
    Entry& e = entry(path);
    switch (e.kind) {
    case Entry::Replace: return e.after;
    case Entry::Remove: return QString();
    case Entry::Append: load(e); return e.before + e.appended;
    case Entry::Read: load(e); return e.before;
    }
    return QString();
}

void ChangeSet::setText(const QString& path, const QString& text) {
    Entry& e = entry(path);
    if (e.kind != Entry::Replace && e.kind != Entry::Remove) load(e);
    e.kind = Entry::Replace;
    e.after = text;
    e.appended.clear();
}

void ChangeSet::append(const QString& path, const QString& text) {
    if (text.isEmpty()) return;
    Entry& e = entry(path);
    switch (e.kind) {
    case Entry::Replace: e.after += text; break;
    case Entry::Remove:
        e.kind = Entry::Replace;
        e.after = text;
        break;
    case Entry::Append: e.appended += text; break;
    case Entry::Read:
        if (e.existed) {
            e.kind = Entry::Append;
            e.appended = text;
        } else {
            e.kind = Entry::Replace;
            e.after = text;
        }
        break;
    }
}

void ChangeSet::appendWithHead(const QString& path, const QString& head, const QString& text) {
    Entry& e = entry(path);
    // Only a short file can hold fewer than 5 characters; only it is read.
    const bool shortFile = e.kind == Entry::Replace ? e.after.size() < 5
                           : e.kind == Entry::Remove ? true
                           : e.oldSize >= 16         ? false
                                                     : this->text(path).size() < 5;
    if (shortFile)
        setText(path, head + text);
    else
        append(path, text);
}

void ChangeSet::remove(const QString& path) {
    Entry& e = entry(path);
    load(e);
    e.kind = Entry::Remove;
    e.after.clear();
    e.appended.clear();
}

Amount ChangeSet::amount(const QString& path) {
    const QString t = text(path);
    const qsizetype end = t.indexOf(u'\n');
    return Amount::parseLenient(t.left(end < 0 ? t.size() : end).left(20));
}

void ChangeSet::addAmount(const QString& path, Amount delta) {
    setText(path, (amount(path) + delta).toText() + QStringLiteral("\n"));
}

bool ChangeSet::touches(const QString& path) const {
    const QString p = normalizePath(path);
    for (const Entry& e : entries_)
        if (e.path == p) return true;
    return false;
}

std::vector<ChangeSet::Entry> ChangeSet::changes() const {
    std::vector<Entry> out;
    for (const Entry& e : entries_) {
        const bool changed = e.kind == Entry::Replace  ? !e.existed || e.after != e.before
                             : e.kind == Entry::Append ? !e.appended.isEmpty()
                             : e.kind == Entry::Remove ? e.existed
                                                       : false;
        if (changed) out.push_back(e);
    }
    return out;
}

int storedCounter(const PathTable& paths) {
    return int(textToInteger(storedText(paths.verCounter)));
}

// --- Commit ------------------------------------------------------------------------

namespace {

// The year folder a path of the books lies in ("2014" for
// "2014/bokforing/_ver.kdb"), or "" when the path is not inside a bokforing
// folder.
QString yearOfBookPath(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.path();
    if (QFileInfo(folder).fileName() != QLatin1String("bokforing")) return QString();
    const QString year = QFileInfo(folder).path();
    return year == QLatin1String(".") ? QString() : year;
}

bool isVitalName(const QString& name) {
    for (const VitalFile& v : fixedVitalFiles())
        if (v.name == name) return v.copied || v.stamped;
    return vatFileNames().contains(name);
}

FileStep stepOf(const ChangeSet::Entry& e) {
    switch (e.kind) {
    case ChangeSet::Entry::Append: return FileStep::append(e.path, encodeStored(e.appended));
    case ChangeSet::Entry::Remove: return FileStep::remove(e.path);
    default: return FileStep::write(e.path, encodeStored(e.after));
    }
}

VitalChange vitalChangeOf(const ChangeSet::Entry& e, const FileStep& step) {
    return {QFileInfo(e.path).fileName(), step.kind, step.bytes};
}

Message pendingFailureMessage(const QString& path) {
    return {QStringLiteral("STOPP"),
            QStringLiteral("Det gick inte att spara!\n\n") + path +
                QStringLiteral("\n\nÄndringen kunde inte tas tillbaka nu. Bokföringen ställs "
                               "tillbaka som den var före ändringen när programmet startas "
                               "nästa gång."),
            QStringLiteral("STOP"), QStringLiteral("OK")};
}

CommitHook& commitHook() {
    static CommitHook hook;
    return hook;
}

} // namespace

const char* operationName(Operation op) {
    switch (op) {
    case Operation::Income: return "income";
    case Operation::Expense: return "expense";
    case Operation::Transfer: return "transfer";
    case Operation::ImportedCash: return "imported cash";
    case Operation::VatAssetWriteOff: return "VAT asset write-off";
    case Operation::VatDebtWriteOff: return "VAT debt write-off";
    case Operation::AssetWriteOff: return "asset write-off";
    case Operation::ReceivablesRegistration: return "receivables registration";
    case Operation::PayablesRegistration: return "payables registration";
    case Operation::CustomerSave: return "customer save";
    case Operation::CustomerDelete: return "customer delete";
    case Operation::ArticleRegisterStart: return "article register start";
    case Operation::ArticleSave: return "article save";
    case Operation::StockCountSave: return "stock count save";
    case Operation::StockCountDelete: return "stock count delete";
    case Operation::InvoiceTextsSave: return "invoice texts save";
    case Operation::InvoiceSave: return "invoice save";
    case Operation::SettingsSave: return "settings save";
    case Operation::CompanySave: return "company save";
    case Operation::ClosingBasis: return "closing basis";
    case Operation::YearCompletion: return "year completion";
    case Operation::OpeningBalance: return "opening balance";
    }
    return "?";
}

void setCommitHook(CommitHook hook) { commitHook() = std::move(hook); }

CommitOutcome commitChangeSet(const PathTable& paths, const ChangeSet& set, int number) {
    CommitOutcome out;
    if (commitHook()) commitHook()(set.operation());
    // A change an earlier version of the program left unfinished: the check
    // repairs the year first.
    if (changeInProgress(paths)) {
        out.message = unfinishedChangeMessage();
        return out;
    }
    std::vector<FileStep> steps;
    std::map<QString, std::vector<VitalChange>> vitalByYear;
    for (const ChangeSet::Entry& e : set.changes()) {
        steps.push_back(stepOf(e));
        const QString year = yearOfBookPath(e.path);
        const QString name = QFileInfo(e.path).fileName();
        if (!year.isEmpty() && isVitalName(name))
            vitalByYear[year].push_back(vitalChangeOf(e, steps.back()));
    }
    for (const auto& [year, changes] : vitalByYear) {
        const ChangeResult r = addStampSteps(buildPathTable(year), changes, steps);
        if (!r.ok()) {
            out.message = r.message();
            return out;
        }
    }

    const ChangeOutcome c = applyChange(steps);
    switch (c.code) {
    case ChangeOutcome::Done:
        out.ok = true;
        out.number = number;
        break;
    case ChangeOutcome::NotStarted:
        out.message = c.path == changeJournalPath() && changePending() ? unfinishedChangeMessage()
                                                                       : saveFailedMessage(c.path);
        break;
    case ChangeOutcome::Undone: out.message = saveFailedMessage(c.path); break;
    case ChangeOutcome::LeftPending: out.message = pendingFailureMessage(c.path); break;
    }
    return out;
}

int recoverInterruptedBooking(const PathTable& paths) {
    if (recoverInterruptedChange() != 0) return 1;
    return recoverEarlierBookingRecord(paths);
}

} // namespace mv
