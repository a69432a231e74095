// The shared form of the income and expense pages. Every rule about the
// books is the engine's: this file fills an EntryForm from the fields, shows
// what the engine answers and hands a checked booking to the cash step.
#include "booking/pages/entry_form_page.h"

#include "booking/pages/invoice_pick.h"

#include "booking/booking_commit.h"
#include "store/change_set.h"
#include "booking/adjustment_bookings.h"
#include "reports/pages/report_pages.h"
#include "shell/page_paint.h"
#include "store/clock.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace bookingui {

namespace {

using mv::EntryField;

struct EntryState {
    EntryControls c;
    QString lastType;      // the type the rules were last applied for
    bool presetActive = false;   // a VAT write-off or withdrawal preset filled the form
    bool complete = false;       // Enter reached "Spara"
};

EntryState& st(mv::Side side) {
    static EntryState income, expense;
    return side == mv::Side::Income ? income : expense;
}

QString u(const char* s) { return QString::fromUtf8(s); }

int fieldControl(const EntryControls& c, EntryField f) {
    switch (f) {
    case EntryField::EventDate: return c.eventDate;
    case EntryField::Type: return c.type;
    case EntryField::Reference: return c.reference;
    case EntryField::Name: return c.name;
    case EntryField::Street: return c.street;
    case EntryField::Postcode: return c.postcode;
    case EntryField::Town: return c.town;
    case EntryField::FreeText: return c.freeText;
    case EntryField::Net: return c.net;
    case EntryField::Rate: return c.rate;
    case EntryField::Sign: return c.sign;
    case EntryField::Ore: return c.ore;
    case EntryField::None: return 0;
    }
    return 0;
}

EntryField fieldOf(const EntryControls& c, int control) {
    for (EntryField f : {EntryField::EventDate, EntryField::Type, EntryField::Reference, EntryField::Name,
                         EntryField::Street, EntryField::Postcode, EntryField::Town, EntryField::FreeText,
                         EntryField::Net, EntryField::Rate, EntryField::Sign, EntryField::Ore})
        if (control && fieldControl(c, f) == control) return f;
    return EntryField::None;
}

const QList<EntryField>& groupFields() {
    static const QList<EntryField> list = {EntryField::Reference, EntryField::Name,   EntryField::Street,
                                           EntryField::Postcode,  EntryField::Town,   EntryField::FreeText,
                                           EntryField::Net,       EntryField::Rate,   EntryField::Sign,
                                           EntryField::Ore};
    return list;
}

int show(const mv::Message& m) { return shell::showMessage(m); }

const mv::TransactionType* currentType(const EntrySetup& s) {
    return mv::findType(s.side, tk::item(st(s.side).c.type, 0));
}

QStringList configuredRates() {
    const mv::Settings& set = mv::yearRecord().settings;
    return {set.field(mv::setting::vat1), set.field(mv::setting::vat2), set.field(mv::setting::vat3),
            set.field(mv::setting::vat4)};
}

// Shows the list at its end. A list that only grew since it was shown (a
// save, the page opened again) gets only its new blocks read and added.
void loadView(const EntrySetup& s, const QString& path) {
    const EntryControls& c = st(s.side).c;
    tk::setStandardFont(c.view, shell::font(shell::Font::SmallListing));
    tk::refreshFromFile(c.view, path);
    tk::scrollToEnd(c.view);
}

QString listPath(const EntrySetup& s) {
    return s.side == mv::Side::Income ? shell::paths().inVerifications : shell::paths().outVerifications;
}

// Editability by the type's group; a locked year makes everything read-only.
void applyRules(const EntrySetup& s) {
    EntryState& e = st(s.side);
    const mv::TransactionType* type = currentType(s);
    const bool locked = shell::state().isLocked();
    const mv::FieldRules rules = type ? mv::fieldRules(*type) : mv::FieldRules();
    for (EntryField f : groupFields()) {
        const bool editable = !locked && rules.editable.contains(f) &&
                              !(e.presetActive && (f == EntryField::Name || f == EntryField::Street ||
                                                   f == EntryField::Postcode || f == EntryField::Town ||
                                                   f == EntryField::Rate || f == EntryField::Sign ||
                                                   f == EntryField::Ore));
        tk::setReadOnly(fieldControl(e.c, f), editable ? QStringLiteral("ON") : QStringLiteral("OFF"));
        // A field the type does not use stays empty.
        if (!rules.editable.contains(f) && f != EntryField::Net) tk::setText(fieldControl(e.c, f), QString());
    }
    tk::setReadOnly(e.c.eventDate, locked ? QStringLiteral("OFF") : QStringLiteral("ON"));
    rules.showNumber ? tk::showControl(e.c.number) : tk::hideControl(e.c.number);
    if (type && (type->special == mv::SpecialKind::ReceivablesClosing ||
                 type->special == mv::SpecialKind::PayablesClosing)) {
        loadView(s, shell::paths().closing(type->special == mv::SpecialKind::ReceivablesClosing
                                               ? u("KundfordringarLista")
                                               : u("LeverantorsskulderLista")));
    } else {
        loadView(s, listPath(s));
    }
}

void recompute(const EntrySetup& s) {
    const EntryControls& c = st(s.side).c;
    const mv::LiveFigures f = mv::liveFigures(s.side, tk::item(c.type, 0), tk::text(c.net), tk::text(c.rate),
                                              tk::text(c.sign), tk::text(c.ore));
    tk::setText(c.vat, f.vat);
    tk::setText(c.total, f.total);
    if (f.sign != tk::text(c.sign)) tk::setText(c.sign, f.sign);
}

void clearForm(const EntrySetup& s) {
    EntryState& e = st(s.side);
    for (EntryField f : groupFields()) tk::setText(fieldControl(e.c, f), QString());
    tk::setText(e.c.vat, QString());
    tk::setText(e.c.total, QString());
    tk::hideControl(e.c.saveButton);
    tk::hideControl(e.c.nameList);
    tk::hideControl(e.c.textList);
    tk::showControl(e.c.name);
    tk::showControl(e.c.freeText);
    tk::setText(e.c.number, QString::number(mv::storedCounter(shell::paths()) + 1));
    tk::setText(e.c.bookingDate, mv::todayText());
    tk::setText(e.c.eventDate, mv::todayText());
    tk::setItem(e.c.type, 0, mv::defaultTypeName(s.side));
    tk::setText(e.c.lastNumber, lastBookedNumber() ? QString::number(lastBookedNumber()) : QString());
    e.presetActive = false;
    e.complete = false;
    e.lastType = tk::item(e.c.type, 0);
    if (s.side == mv::Side::Income) invoicePickForget();
    applyRules(s);
}

// A VAT write-off type fills the form from the carried difference, or says
// why there is nothing to write off and opens the page afresh.
bool applyWriteOffPreset(const EntrySetup& s) {
    EntryState& e = st(s.side);
    mv::EntryForm f;
    f.side = s.side;
    f.type = tk::item(e.c.type, 0);
    const mv::PresetResult r = mv::vatWriteOffPreset(shell::paths(), f);
    if (!r.ok) {
        show(r.message);
        clearForm(s);
        tk::setFocus(e.c.eventDate);
        return false;
    }
    e.presetActive = true;
    applyRules(s);
    tk::setText(e.c.name, r.form.name);
    tk::setText(e.c.freeText, r.form.freeText);
    tk::setText(e.c.net, r.form.net);
    return true;
}

// Runs when the type list shows another type than the rules were made for.
bool typeChanged(const EntrySetup& s) {
    EntryState& e = st(s.side);
    const QString now = tk::item(e.c.type, 0);
    if (now == e.lastType) return false;
    const bool wasPreset = e.presetActive;
    e.lastType = now;
    if (wasPreset) {
        // The preset belonged to the old type.
        e.presetActive = false;
        tk::setText(e.c.name, QString());
        tk::setText(e.c.freeText, QString());
        tk::setText(e.c.net, QString());
    }
    applyRules(s);
    const mv::TransactionType* type = currentType(s);
    if (type && (type->special == mv::SpecialKind::VatAssetWriteOff ||
                 type->special == mv::SpecialKind::VatDebtWriteOff))
        applyWriteOffPreset(s);
    return true;
}

// The income page's invoice pick: the form filled from the invoice, its
// type's rules applied, the focus on the rate (or the net). False when no
// invoice was picked.
bool takeInvoicePick(const EntrySetup& s, bool leavingReference) {
    if (s.side != mv::Side::Income) return false;
    const EntryField picked = invoicePickRun(leavingReference);
    if (picked == EntryField::None) return false;
    typeChanged(s);
    recompute(s);
    tk::setFocus(fieldControl(st(s.side).c, picked));
    return true;
}

// The net field on leaving it: a plain number, normalised, within the limit.
bool checkNet(const EntrySetup& s) {
    const EntryControls& c = st(s.side).c;
    const QString typed = tk::text(c.net);
    if (typed.isEmpty()) return true;
    if (!mv::isTypedAmount(typed)) {
        show(mv::msg::badAmount());
        tk::setFocus(c.net);
        return false;
    }
    const QString normal = mv::normalizeAmountText(typed);
    tk::setText(c.net, normal);
    const std::optional<mv::Amount> a = mv::typedAmount(normal);
    if (!a || *a > mv::Amount::fromKronor(1000000) || *a < -mv::Amount::fromKronor(1000000)) {
        show(a ? mv::msg::netTooLarge() : mv::msg::badAmount());
        tk::setFocus(c.net);
        return false;
    }
    return true;
}

void reachSave(const EntrySetup& s) {
    EntryState& e = st(s.side);
    entryRunPicks(s);
    tk::showControl(e.c.saveButton);
    shell::state().isLocked() ? tk::disableControl(e.c.saveButton) : tk::enableControl(e.c.saveButton);
    recompute(s);
    tk::setFocus(e.c.saveButton);
    e.complete = true;
    if (s.side == mv::Side::Expense) {
        const mv::TransactionType* type = currentType(s);
        show(mv::msg::checkAccountExpense(type && type->reverseCharge));
    } else if (!pickedInvoice().isEmpty()) {
        show(mv::msg::checkAccountIncome(pickedWithoutVat()));
    }
}

mv::EntryForm readForm(const EntrySetup& s) {
    const EntryControls& c = st(s.side).c;
    mv::EntryForm f;
    f.side = s.side;
    f.eventDate = tk::text(c.eventDate);
    f.type = tk::item(c.type, 0);
    f.reference = tk::text(c.reference);
    f.name = tk::text(c.name);
    f.street = tk::text(c.street);
    f.postcode = tk::text(c.postcode);
    f.town = tk::text(c.town);
    f.freeText = tk::text(c.freeText);
    f.net = tk::text(c.net);
    f.rate = tk::text(c.rate);
    f.sign = tk::text(c.sign);
    f.ore = tk::text(c.ore);
    return f;
}

void save(const EntrySetup& s) {
    EntryState& e = st(s.side);
    if (shell::state().isLocked() || !tk::isVisible(e.c.saveButton)) return;
    entryRunPicks(s);
    const mv::PrepareResult r = mv::prepareBooking(readForm(s), configuredRates());
    if (!r.ok) {
        show(r.message);
        if (r.field == EntryField::Rate) tk::hideControl(e.c.saveButton);
        if (const int control = fieldControl(e.c, r.field)) tk::setFocus(control);
        return;
    }
    const mv::BooksCheck check = mv::checkAgainstBooks(shell::paths(), r.booking);
    if (!check.ok) {
        show(check.message);
        if (!check.help.text.isEmpty()) show(check.help);
        return;
    }
    if (mv::savedWithoutCashStep(*r.booking.type)) {
        shell::progressBar();
        const mv::SpecialOutcome o = mv::commitSpecialBooking(shell::paths(), r.booking);
        if (!o.ok) {
            show(o.message);
            return;
        }
        if (o.number) lastBookedNumber() = o.number;
        if (!o.message.text.isEmpty()) show(o.message);
        reopenEntryPage(s.side);
        if (o.result == 11) {
            // The registration's list in the viewer, as the page shows it.
            tk::setItem(e.c.type, 0, r.booking.type->name);
            e.lastType = r.booking.type->name;
            applyRules(s);
            tk::setFocus(e.c.view);
        }
        return;
    }
    pendingBooking() = r.booking;
    if (s.side == mv::Side::Income) {
        // The picked invoice must still be open: its cash step marks it paid.
        if (const auto problem = pickedInvoiceProblem()) {
            pendingBooking().reset();
            show(*problem);
            return;
        }
        pendingBooking()->paidInvoice = pickedInvoice();
    }
    openCashStep();
}

// The page's viewer joins the print table: the verification list, or the
// closing list when the closing type has put it in the viewer.
void bindPrintRows(const EntrySetup& s) {
    const bool income = s.side == mv::Side::Income;
    const EntryControls& c = st(s.side).c;
    const mv::TypeGroup closingGroup =
        income ? mv::TypeGroup::ReceivablesClosing : mv::TypeGroup::PayablesClosing;
    auto showingClosingList = [&s, closingGroup] {
        const mv::TransactionType* t = currentType(s);
        return t != nullptr && t->group == closingGroup;
    };
    auto pageShowing = [&s] { return shell::state().pageState(s.id) > 0; };
    reports::bindPrintSource(income ? mv::PrintSource::IncomeList : mv::PrintSource::ExpenseList,
                             {c.view, c.lastNumber, [pageShowing, showingClosingList] {
                                  return pageShowing() && !showingClosingList();
                              }});
    reports::bindPrintSource(income ? mv::PrintSource::ReceivablesList : mv::PrintSource::PayablesList,
                             {c.view, 0, [pageShowing, showingClosingList] {
                                  return pageShowing() && showingClosingList();
                              }});
}

} // namespace

const EntryControls& entryControls(mv::Side side) { return st(side).c; }

void entryCreate(const EntrySetup& s, int window) {
    EntryControls& c = st(s.side).c;
    auto field = [&](int x, int y, int w, const char* align, int max) {
        const int f = tk::createField(window, x, y, w, 20, QString::fromUtf8(align), max);
        tk::setFont(f, shell::font(shell::Font::Field));
        return f;
    };
    c.number = field(130, 88, 80, "R", 0);
    c.bookingDate = field(300, 88, 85, "L", 0);
    c.eventDate = field(130, 112, 80, "L", 10);
    c.type = tk::createList(window, 130, 136, 255, 320, QStringLiteral("READDROP"));
    c.reference = field(130, 164, 90, "L", 9);
    c.name = field(130, 188, 200, "L", 40);
    c.nameList = tk::createList(window, 130, 188, 200, 250, QStringLiteral("READDROP"));
    c.street = field(130, 212, 200, "L", 30);
    c.postcode = field(130, 236, 60, "L", 6);
    c.town = field(130, 260, 200, "L", 30);
    c.freeText = field(130, 284, 200, "L", 40);
    c.textList = tk::createList(window, 130, 284, 200, 250, QStringLiteral("READDROP"));
    // Ten characters: "1000000.01" can be typed whole and is refused as too
    // large, rather than cut to an amount that passes.
    c.net = field(215, 330, 100, "R", 10);
    c.rate = field(215, 354, 35, "R", 5);
    c.vat = field(300, 354, 85, "R", 0);
    c.sign = field(215, 396, 20, "C", 1);
    c.ore = field(245, 396, 30, "R", 2);
    c.total = field(215, 430, 100, "R", 0);
    // "Ver.nr" is the print command's verification-number field: it shows the
    // number saved last, and "Skriv ut" prints that verification (or the one
    // typed there; an empty field prints the whole list).
    c.lastNumber = shell::printField();
    c.nameListButton = tk::createButton(window, 335, 188, 50, 20, QStringLiteral("Lista"), QStringLiteral("C"),
                                        QStringLiteral("NORMAL"), s.nameListCommand);
    c.textListButton = tk::createButton(window, 335, 284, 50, 20, QStringLiteral("Lista"), QStringLiteral("C"),
                                        QStringLiteral("NORMAL"), s.textListCommand);
    c.clearButton = tk::createButton(window, 20, 540, 80, 30, QStringLiteral("Rensa"), QStringLiteral("C"),
                                     QStringLiteral("NORMAL"), s.clearCommand);
    c.saveButton = tk::createButton(window, 295, 540, 90, 30, QStringLiteral("Spara"), QStringLiteral("C"),
                                    QStringLiteral("NORMAL"), s.saveCommand);
    c.view = tk::createTextViewer(window, 405, 84, 383, 494, QStringLiteral("VHSCROLL"));
    tk::setReadOnly(c.view, QStringLiteral("OFF"));
    for (int f : {c.number, c.bookingDate, c.vat, c.total}) tk::setReadOnly(f, QStringLiteral("OFF"));
    bindPrintRows(s);
    if (s.side == mv::Side::Income) invoicePickCreate(window, 130, 164, 200);
    for (const mv::TransactionType& t : mv::transactionTypes())
        if (t.side == s.side) tk::setItem(c.type, 1000, t.name);
    entryReset(s);
}

void entryReset(const EntrySetup& s) {
    const EntryControls& c = st(s.side).c;
    for (int h : {c.number, c.bookingDate, c.eventDate, c.type, c.reference, c.name, c.street, c.postcode,
                  c.town, c.freeText, c.net, c.rate, c.vat, c.sign, c.ore, c.total, c.lastNumber, c.nameList,
                  c.textList, c.clearButton, c.saveButton, c.nameListButton, c.textListButton, c.view})
        tk::hideControl(h);
    if (s.side == mv::Side::Income) invoicePickHide();
}

void entryPaint(const EntrySetup& s, int window, int& state) {
    if (state <= 0) return;
    shell::beginPage(window);
    shell::darkFrame(window, 5, 53, 395, 583, u(s.heading));
    shell::darkFrame(window, 400, 53, 793, 583, u(s.listTitle), shell::Font::Body);
    shell::fillRect(window, 8, 80, 392, 580, shell::rgb(200, 230, 255));
    shell::helpMark(window, 280, 60);
    const int l = shell::labelColour;
    const auto body = shell::Font::Body;
    shell::drawText(window, 610, 58, QStringLiteral("Ver.nr"), shell::white, body);
    shell::drawText(window, 15, 89, QStringLiteral("Verifikation"), l, body);
    shell::drawText(window, 225, 89, u(s.bookingDateLabel), l, body);
    shell::drawText(window, 15, 113, QStringLiteral("Händelse dat"), l, body);
    shell::drawText(window, 15, 137, QStringLiteral("Konto"), l, body);
    shell::drawText(window, 15, 165, u(s.referenceLabel), l, body);
    shell::drawText(window, 15, 189, u(s.nameLabel), l, body);
    shell::drawText(window, 15, 213, QStringLiteral("Gata"), l, body);
    shell::drawText(window, 15, 237, QStringLiteral("Postnr."), l, body);
    shell::drawText(window, 15, 261, QStringLiteral("Ort"), l, body);
    shell::drawText(window, 15, 285, QStringLiteral("Fritext"), l, body);
    shell::drawText(window, 15, 331, u(s.netLabel), l, body);
    // The rate's label ends just before the rate field.
    const QString rateLabel = u(s.rateLabel);
    shell::drawText(window, 211 - tk::textWidth(shell::font(body), rateLabel), 355, rateLabel, l, body);
    shell::drawText(window, 255, 355, u(s.vatLabel), l, body);
    shell::drawText(window, 15, 381, QStringLiteral("Öresutjämning"), l, body);
    shell::drawText(window, 15, 397, QStringLiteral("Öre"), l, body);
    shell::drawText(window, 199, 390, QStringLiteral("+"), l, body);
    shell::drawText(window, 199, 396, QStringLiteral("_"), l, body);
    shell::drawText(window, 15, 431, QStringLiteral("Summa"), l, body);
    if (shell::state().isLocked())
        shell::drawText(window, 15, 470, QStringLiteral("Året är låst. Inget kan bokas."), shell::rgb(200, 0, 0), body);
    shell::endPage(window, state);
}

void entryOpen(const EntrySetup& s) {
    EntryState& e = st(s.side);
    shell::openPage(s.id, s.openCommand);
    mv::recoverInterruptedBooking(shell::paths());
    const EntryControls& c = e.c;
    for (int h : {c.number, c.bookingDate, c.eventDate, c.type, c.reference, c.name, c.street, c.postcode, c.town,
                  c.freeText, c.net, c.rate, c.vat, c.sign, c.ore, c.total, c.lastNumber, c.clearButton,
                  c.nameListButton, c.textListButton, c.view})
        tk::showControl(h);
    tk::showControl(shell::printButton());
    tk::enableControl(shell::printButton());
    const bool locked = shell::state().isLocked();
    if (s.side == mv::Side::Income) invoicePickShow(!locked);
    e.lastType.clear();
    clearForm(s);
    // A locked year: every field read-only and the buttons that would
    // change the form or the books disabled.
    for (int h : {c.type, c.clearButton, c.nameListButton, c.textListButton, c.saveButton})
        locked ? tk::disableControl(h) : tk::enableControl(h);
    if (!locked) tk::setFocus(c.eventDate);
}

void entryApplyPreset(const EntrySetup& s, const mv::EntryForm& preset) {
    EntryState& e = st(s.side);
    tk::setItem(e.c.type, 0, preset.type);
    e.lastType = preset.type;
    e.presetActive = true;
    applyRules(s);
    tk::setText(e.c.freeText, preset.freeText);
    tk::setText(e.c.net, preset.net);
    recompute(s);
}

void entryCommand(const EntrySetup& s, int command) {
    if (command == s.openCommand) {
        entryOpen(s);
    } else if (command == s.clearCommand) {
        if (shell::state().isLocked()) return;
        clearForm(s);
        tk::setFocus(st(s.side).c.eventDate);
    } else if (command == s.saveCommand) {
        save(s);
    } else if (command == s.nameListCommand) {
        entryOpenList(s, true);
    } else if (command == s.textListCommand) {
        entryOpenList(s, false);
    }
}

void entryKey(const EntrySetup& s, int command) {
    if (shell::state().pageState(s.id) <= 0) return;
    if (command == 40) {
        // Down in the name or free-text field: what its "Lista" does.
        if (const int list = entryListCommandOf(s, tk::focusedControl()))
            tk::postCommand(shell::mainWindow(), list);
        return;
    }
    if (command != 9 && command != 13) return;
    EntryState& e = st(s.side);
    if (shell::state().isLocked()) return;
    const int focused = tk::focusedControl();
    const bool fromInvoices = s.side == mv::Side::Income && focused && focused == invoicePickList();
    const bool fromList = focused == e.c.nameList || focused == e.c.textList || fromInvoices;
    const EntryField from = fromInvoices ? EntryField::Reference
                            : fromList   ? (focused == e.c.nameList ? EntryField::Name : EntryField::FreeText)
                                         : fieldOf(e.c, focused);
    if (from == EntryField::None && !fromList) return;
    tk::setAdvanceFlag(false);
    if (typeChanged(s) && !currentType(s)) return;
    entryRunPicks(s);
    if (takeInvoicePick(s, from == EntryField::Reference)) return;
    if (from == EntryField::Net || from == EntryField::Rate || from == EntryField::Ore) {
        if (!checkNet(s)) return;
    }
    recompute(s);
    const mv::TransactionType* type = currentType(s);
    if (!type) return;
    if (from == EntryField::Net && (type->special == mv::SpecialKind::AssetSale ||
                                    type->special == mv::SpecialKind::AssetWriteOff)) {
        // A sale or write-off beyond the remaining asset value is refused at once.
        mv::EntryForm f = readForm(s);
        f.ore.clear();
        f.sign.clear();
        if (f.rate.isEmpty() && type->rateRequired) f.rate = configuredRates().value(0);
        const mv::PrepareResult r = mv::prepareBooking(f, configuredRates());
        const mv::BooksCheck check = r.ok ? mv::checkAgainstBooks(shell::paths(), r.booking) : mv::BooksCheck();
        if (!check.ok) {
            show(check.message);
            if (!check.help.text.isEmpty()) show(check.help);
            tk::setFocus(e.c.net);
            return;
        }
    }
    const mv::FieldRules rules = mv::fieldRules(*type);
    EntryField next = mv::nextField(rules, from == EntryField::EventDate ? EntryField::Type : from);
    if (next == EntryField::None) {
        reachSave(s);
        return;
    }
    tk::setFocus(fieldControl(e.c, next));
}

void entryEdited(const EntrySetup& s) {
    if (shell::state().pageState(s.id) <= 0) return;
    // A name or free text chosen in its list is taken at once.
    if (entryPickChosen(s)) {
        if (const int field = entryRunPicks(s)) tk::setFocus(field);
        recompute(s);
        return;
    }
    // An invoice chosen in the reference list is taken at once.
    if (s.side == mv::Side::Income && tk::isVisible(invoicePickList()) &&
        tk::selectedIndex(invoicePickList()) > 0 && takeInvoicePick(s, false))
        return;
    recompute(s);
}

} // namespace bookingui

namespace bookingui {

const EntrySetup& incomeSetup() {
    static const EntrySetup s{mv::Side::Income, shell::PageId::Income, 1036, 1037, 1041, 1039, 1040,
                              "INKOMST", "INKOMSTVERIFIKATIONER", "Bokf. datum", "Faktura / Ref",
                              "Inkomst från", "Inkomst netto (utan moms)", "%", "Moms"};
    return s;
}

const EntrySetup& expenseSetup() {
    static const EntrySetup s{mv::Side::Expense, shell::PageId::Expense, 1042, 1045, 1044, 1046, 1043,
                              "UTGIFT", "UTGIFTVERIFIKATIONER", "Bokf dat", "Faktu./Ref",
                              "Utgift till", "Utgift netto (utan moms)", "Moms", ""};
    return s;
}

void reopenEntryPage(mv::Side side) {
    entryOpen(side == mv::Side::Income ? incomeSetup() : expenseSetup());
}

void openExpenseWithPreset(mv::WithdrawalPreset kind, mv::Amount amount) {
    entryOpen(expenseSetup());
    entryApplyPreset(expenseSetup(), mv::withdrawalPreset(kind, amount));
}

} // namespace bookingui
