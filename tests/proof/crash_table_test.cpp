// Every operation that changes the books, killed at each of its disk changes
// in turn: through the fault-injection seam (every change after the k-th
// refused, so neither the rest of the operation nor its own undo reaches the
// disk) and, at a few points of each, by a real SIGKILL of a child process.
// Then the program starts on the data as a user starts it, and the data must
// be as before the operation or as after it, never between; the books keep
// their invariants, no confirmed verification is lost and nothing temporary
// is left. Each case counts the (operation, write) pairs it tried.
#include "proof_fixture.h"

#include "booking/adjustment_bookings.h"
#include "closing/opening_balance.h"
#include "interchange/sie_import.h"
#include "invoicing/invoice_texts.h"
#include "invoicing/stock_count.h"
#include "store/years.h"

#include <cctype>
#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using mv::Operation;

class CrashTableTest;

struct Row {
    const char* name;
    // The change-set operation the row exercises; none for the operations
    // that are not a change of the books (year creation, backup, restore).
    std::optional<Operation> op;
    // Adds to the common world what the operation needs (once, in its template).
    std::function<void(CrashTableTest&)> prepare;
    // The operation; true when it reported success.
    std::function<bool(CrashTableTest&)> run;
    // The state before is itself the first half of a two-step operation
    // whose invariants hold only after the second (the cash step of an import).
    bool beforeIsHalfDone = false;
};

class CrashTableTest : public ProofTest {
  public:
    static QString templateOf(const Row& row) {
        return QStringLiteral("template_") + QString::fromUtf8(row.name).replace(u' ', u'_');
    }
    // The whole-form helpers of the fixture, for the rows.
    using ProofTest::form;
    using ProofTest::placement;
    using ProofTest::rates;
    mv::PathTable& year() { return paths; }
    mv::PathTable& nextYear() { return next; }
    const mv::Settings& closingSettings() const { return settings; }
    void putValue(const mv::PathTable& p, const char* name, const char* amount) {
        putAmount(p.closing(u(name)), amount);
    }
    void seal() { restampBoth(); }

    // Prepares and saves a booking of any type; true when saved.
    bool bookType(mv::Side side, const char* type, const char* net, const char* rate, int account,
                  const char* name = "", const QString& paidInvoice = QString()) {
        mv::EntryForm f = form(side, type, net, rate);
        f.name = u(name);
        mv::PrepareResult r = mv::prepareBooking(f, rates());
        if (!r.ok) return false;
        r.booking.paidInvoice = paidInvoice;
        if (mv::savedWithoutCashStep(*r.booking.type)) return mv::commitSpecialBooking(paths, r.booking).ok;
        return mv::commitBooking(paths, r.booking, placement(account)).ok;
    }
    bool vatWriteOff(mv::Side side, const char* type) {
        const mv::PresetResult preset = mv::vatWriteOffPreset(paths, form(side, type, ""));
        if (!preset.ok) return false;
        const mv::PrepareResult r = mv::prepareBooking(preset.form, rates());
        return r.ok && mv::commitSpecialBooking(paths, r.booking).ok;
    }

    static std::array<QString, mv::openingRowCount> openingRows() {
        return {"50000", "20000", "10000", "5000", "8000", "30000", "", "2000"};
    }
    static mv::OpeningBalance openingBalance() {
        mv::Message refusal;
        return mv::readOpeningRows(openingRows(), refusal).value_or(mv::OpeningBalance());
    }
    static mv::TransferForm placing() {
        mv::TransferForm f;
        for (int i = 0; i < 6; ++i) {
            f.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
            f.balances[size_t(i)] = QStringLiteral("0");
        }
        f.balances[0] = QStringLiteral("30000");
        f.balances[3] = QStringLiteral("20000");
        return f;
    }

    // Runs the row at every disk change k with k % parts == part (and, in
    // part 0, the real kills); prints its number of (operation, write) pairs.
    void runRow(const Row& row, int part, int parts);

  private:
    template <class Op>
    void runOnce(const Row& row, const QString& folder, int killAt, bool realKill, Op judge);
};

// Message boxes answered as a user would: OK, and Yes to the delete question.
int quiet(const mv::Message&) { return mv::answerOk; }
int sayYes(const mv::Message&) { return mv::answerYes; }

std::vector<Row> bookingRows() {
    using T = CrashTableTest;
    return {
        {"income with a new customer", Operation::Income, {},
         [](T& t) { return t.bookType(mv::Side::Income, "Inkomst, Varor o material", "1200", "12", 1, "Ny Kund"); }},
        {"income marking invoice 14001 paid", Operation::Income, {},
         [](T& t) { return t.bookType(mv::Side::Income, "Inkomst, Annat", "301.65", "25", 3, "Kalle Anka", "14001"); }},
        {"reverse-charge expense", Operation::Expense, {},
         [](T& t) { return t.bookType(mv::Side::Expense, "Utgift, Omvänd moms", "1000", "25", 3, "Bygg AB"); }},
        {"fixed-asset purchase", Operation::Expense, {},
         [](T& t) { return t.bookType(mv::Side::Expense, "Utgift, Inventarier (med avskr)", "5000", "25", 0); }},
        {"transfer with a renamed account", Operation::Transfer, {},
         [](T& t) {
             const mv::MoneyAccounts m = mv::loadMoneyAccounts(t.year());
             mv::TransferForm f;
             f.names = m.names;
             f.names[5] = QStringLiteral("Sparkonto");
             for (int i = 0; i < 6; ++i) f.balances[size_t(i)] = m.balances[size_t(i)].toText();
             f.balances[0] = (m.balances[0] - mv::Amount::fromKronor(200)).toText();
             f.balances[5] = QStringLiteral("200");
             return mv::commitTransfer(t.year(), f).ok;
         }},
        {"VAT asset write-off", Operation::VatAssetWriteOff,
         [](T& t) {
             t.putValue(t.year(), "fga_moms_skillnad", "-2000.00");
             t.seal();
         },
         [](T& t) { return t.vatWriteOff(mv::Side::Income, "Justering, Utbokning momstillgång"); }},
        {"VAT debt write-off", Operation::VatDebtWriteOff,
         [](T& t) {
             t.putValue(t.year(), "fga_moms_skillnad", "1500.00");
             t.seal();
         },
         [](T& t) { return t.vatWriteOff(mv::Side::Expense, "Justering, Utbokning momsskuld"); }},
        {"fixed-asset write-off", Operation::AssetWriteOff,
         [](T& t) {
             t.putValue(t.year(), "fga_inventarievarde", "20000.00");
             t.seal();
         },
         [](T& t) { return t.bookType(mv::Side::Expense, "Utgift, Inventarier Utbokat", "3000", "", 0); }},
        {"closing receivable", Operation::ReceivablesRegistration, {},
         [](T& t) { return t.bookType(mv::Side::Income, "Bokslut, Kundfordringar", "1000", "25", 0, "Kund Ett"); }},
        {"closing payable", Operation::PayablesRegistration, {},
         [](T& t) { return t.bookType(mv::Side::Expense, "Bokslut, Leverantörsskulder", "800", "25", 0, "Bygg AB"); }},
        {"opening balance with its cash placed", Operation::OpeningBalance, {},
         [](T& t) {
             const mv::OpeningBalance b = T::openingBalance();
             const mv::TransferForm p = T::placing();
             return mv::commitOpeningBalance(t.nextYear(), b, &p).ok;
         }},
        {"opening balance read from an SIE file", Operation::OpeningBalance, {},
         [](T& t) {
             // As the opening-balance page takes an import: the file's closing
             // balance becomes the typed rows, saved as any registration.
             const mv::SieImport in = mv::readSieOpeningBalanceFile(
                 QStringLiteral(MERVALLA_GOLDEN_DIR "/interchange_small_year.se"),
                 QStringLiteral("5566778899"), t.nextYear().year);
             if (!in.ok) return false;
             std::array<QString, mv::openingRowCount> typed;
             typed[mv::RowCash] = in.balance.cash.toText();
             typed[mv::RowEquipment] = in.balance.equipment.toText();
             typed[mv::RowStock] = in.balance.stock.toText();
             typed[mv::RowReceivables] = in.balance.receivables.toText();
             typed[mv::RowPayables] = in.balance.payables.toText();
             typed[mv::RowLoans] = in.balance.loans.toText();
             typed[mv::RowVat] = in.balance.vatDifference.toText();
             mv::Message refusal;
             const std::optional<mv::OpeningBalance> b = mv::readOpeningRows(typed, refusal);
             if (!b) return false;
             mv::TransferForm p = T::placing();
             for (QString& balance : p.balances)
                 balance = QStringLiteral("0");
             p.balances[0] = b->cash.toText();
             return mv::commitOpeningBalance(t.nextYear(), *b, &p).ok;
         }},
        {"imported cash placed", Operation::ImportedCash,
         [](T& t) {
             // What an import leaves for the cash page: the balance registered,
             // the cash total set, nothing on the money accounts yet.
             mv::ChangeSet set(Operation::OpeningBalance);
             mv::addOpeningBalanceChanges(t.nextYear(), T::openingBalance(), 1, set);
             ASSERT_TRUE(mv::commitChangeSet(t.nextYear(), set, 1).ok);
         },
         [](T& t) {
             return mv::commitImportedCash(t.nextYear(), T::placing(), 1, T::openingBalance().cash).ok;
         },
         true},
    };
}

std::vector<Row> registerRows() {
    using T = CrashTableTest;
    return {
        {"customer saved", Operation::CustomerSave, {},
         [](T& t) {
             return mv::saveCustomer(t.year(), {"Ny Kund AB", "Vägen 3", "54321", "Staden", "", "", ""}, quiet);
         }},
        {"customer deleted", Operation::CustomerDelete, {},
         [](T& t) { return mv::deleteCustomer(t.year(), QStringLiteral("Kund Ett"), sayYes); }},
        {"article register started", Operation::ArticleRegisterStart,
         [](T& t) {
             ASSERT_EQ(mv::writeText(t.year().articleRegister, QString()), 0);
             t.seal();
         },
         [](T& t) { return mv::startArticleRegister(t.year(), [](const mv::Message&) { return mv::answerOk; }); }},
        {"article saved", Operation::ArticleSave, {},
         [](T& t) { return mv::saveArticle(t.year(), {"2", "Spik", "1000", "0.10"}, quiet).saved; }},
        {"stock count saved", Operation::StockCountSave,
         [](T& t) {
             mv::StockCount c = mv::openStockCount(t.year());
             ASSERT_TRUE(mv::addStockItem(t.year(), {"Skruv", "100", "st", "0.50"}, c, quiet));
         },
         [](T& t) {
             mv::StockCount c = mv::openStockCount(t.year());
             if (!mv::addStockItem(t.year(), {"Spik", "1000", "st", "0.10"}, c, quiet)) return false;
             return mv::storeStockCount(t.year(), c, quiet);
         }},
        {"stock count deleted", Operation::StockCountDelete,
         [](T& t) {
             mv::StockCount c = mv::openStockCount(t.year());
             ASSERT_TRUE(mv::addStockItem(t.year(), {"Skruv", "100", "st", "0.50"}, c, quiet));
             ASSERT_TRUE(mv::storeStockCount(t.year(), c, quiet));
         },
         [](T& t) { return mv::deleteStockCount(t.year(), quiet); }},
        {"invoice texts saved", Operation::InvoiceTextsSave, {},
         [](T& t) {
             std::array<QString, mv::invoiceTextCount> texts;
             texts[0] = QStringLiteral("Betalningsvillkor: 20 dagar netto");
             texts[6] = QString::fromUtf8("Tack för beställningen!");
             return mv::saveInvoiceTexts(t.year(), texts, quiet);
         }},
        {"house-work invoice (both documents)", Operation::InvoiceSave, {},
         [](T& t) { return mv::saveInvoice(t.year(), T::houseWorkDraft("14002"), false, quiet).saved; }},
        {"settings saved", Operation::SettingsSave, {},
         [](T& t) {
             std::array<QString, mv::settingsFieldCount> f = {"25", "31.42", "32", "3", "30", "25",
                                                              "12", "6",     "x",  "50", "ja"};
             return mv::saveSettings(t.year(), f, quiet).code == 0;
         }},
        {"company details saved", Operation::CompanySave, {},
         [](T& t) {
             std::array<QString, mv::companyLineCount> f;
             f[0] = QStringLiteral("Snickeri Nord");
             f[1] = QStringLiteral("Storgatan 1");
             f[2] = QStringLiteral("90325");
             f[3] = QString::fromUtf8("Umeå");
             int progress = 0;
             return mv::saveCompanyDetails(t.year(), f, progress, quiet).code == 0;
         }},
    };
}

std::vector<Row> yearRows() {
    using T = CrashTableTest;
    return {
        {"closing basis with its document", Operation::ClosingBasis, {},
         [](T& t) { return mv::runClosingBasis(t.year(), t.closingSettings(), true).ok; }},
        {"year completion into 2015 (both years)", Operation::YearCompletion, {},
         [](T& t) { return mv::completeYear(t.year(), t.nextYear(), t.closingSettings()).ok; }},
        {"year 2016 created", std::nullopt, {},
         [](T& t) {
             int progress = 0;
             const mv::CreateYearOutcome o =
                 mv::createYear(QStringLiteral("2016"), t.year(), false, progress, [](const mv::Message&) {
                     return mv::answerOk;
                 });
             return o.created;
         }},
    };
}

std::vector<Row> copyRows() {
    return {
        {"backup", std::nullopt, [](CrashTableTest& t) { t.buildTarget(); },
         [](CrashTableTest&) { return mv::backup::makeBackup(QStringLiteral("."), ProofTest::target()).ok; }},
        {"restore into the restore folder", std::nullopt, [](CrashTableTest& t) { t.buildTarget(); },
         [](CrashTableTest&) {
             return mv::backup::restoreAutomatically(QStringLiteral("."), ProofTest::target()).ok;
         }},
    };
}

// Every row of every group.
std::vector<Row> allRows() {
    std::vector<Row> rows;
    for (const auto& group : {bookingRows(), registerRows(), yearRows(), copyRows()})
        rows.insert(rows.end(), group.begin(), group.end());
    // The import of an SIE file is the opening-balance row read from a file
    // (in the booking rows): it changes the books only through that save.
    return rows;
}

template <class Op>
void CrashTableTest::runOnce(const Row& row, const QString& folder, int killAt, bool realKill, Op judge) {
    fresh(templateOf(row), folder, [&] {
        if (row.prepare) row.prepare(*this);
    });
    if (HasFatalFailure()) return;
    bool reported = false;
    if (!realKill) {
        int seen = 0;
        if (killAt >= 0) mv::setWriteHook([&](const QString&) { return ++seen <= killAt; });
        reported = row.run(*this);
        mv::setWriteHook({});
    } else {
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            int seen = 0;
            mv::setWriteHook([&](const QString&) {
                if (++seen > killAt) ::kill(::getpid(), SIGKILL);
                return true;
            });
            row.run(*this);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        // A kill after the last change lets the operation finish.
        ASSERT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    }
    judge(reported);
}

void CrashTableTest::runRow(const Row& row, int part, int parts) {
    base_ = QDir::currentPath();
    {
        // The run to completion: the states before and after, the count of
        // disk changes and the operations named by the change sets written.
        fresh(templateOf(row), QStringLiteral("reference"), [&] {
            if (row.prepare) row.prepare(*this);
        });
        if (HasFatalFailure()) return;
        const QMap<QString, QByteArray> before = view();
        if (!row.beforeIsHalfDone) {
            ASSERT_EQ(soundness(), QString());
            // The check may bring the digest records up to date: the
            // operation runs on an untouched copy, as at every point below.
            fresh(templateOf(row), QStringLiteral("reference"), [] {});
        }
        int changes = 0;
        std::set<Operation> committed;
        mv::setCommitHook([&](Operation op) { committed.insert(op); });
        const bool trace = qEnvironmentVariableIsSet("MERVALLA_PROOF_TRACE");
        mv::setWriteHook([&](const QString& path) {
            ++changes;
            if (trace) std::fprintf(stderr, "change %d: %s\n", changes, qPrintable(path));
            return true;
        });
        const bool done = row.run(*this);
        mv::setWriteHook({});
        mv::setCommitHook({});
        ASSERT_TRUE(done);
        if (row.op) {
            EXPECT_EQ(committed, std::set<Operation>{*row.op}) << "the operation's change sets name it";
        } else {
            EXPECT_TRUE(committed.empty());
        }
        const QMap<QString, QByteArray> after = view();
        ASSERT_EQ(soundness(), QString());
        ASSERT_NE(before, after);
        ASSERT_GT(changes, 0);

        int sawBefore = 0, sawAfter = 0;
        auto judgeAt = [&](int k, bool realKill) {
            return [&, k, realKill](bool reported) {
                SCOPED_TRACE(QStringLiteral("%1 at change %2").arg(realKill ? "SIGKILL" : "seam").arg(k).toStdString());
                // The whole start after an unclean end at the real kills and
                // every fourth point; the others check and repair the files.
                startProgram(realKill || k % 4 == 0);
                const auto state = view();
                if (reported) {
                    ASSERT_EQ(state, after) << "reported done; differs in " << differences(state, after).toStdString();
                }
                ASSERT_EQ(lostVerifications(before, state), QString());
                if (state == before) {
                    ++sawBefore;
                    if (row.beforeIsHalfDone) {
                        ASSERT_EQ(leftovers(), QStringList());
                        return;
                    }
                } else {
                    ASSERT_EQ(state, after) << "between before and after; differs from after in "
                                            << differences(state, after).toStdString() << "; from before in "
                                            << differences(state, before).toStdString();
                    ++sawAfter;
                }
                ASSERT_EQ(soundness(), QString());
            };
        };
        int tried = 0;
        for (int k = part; k <= changes; k += parts) {
            runOnce(row, QStringLiteral("seam"), k, false, judgeAt(k, false));
            if (HasFatalFailure()) return;
            ++tried;
        }
        // A real kill at a few points: early, in the middle, late.
        if (part == 0) {
            for (int k : {1, changes / 2, changes - 1}) {
                runOnce(row, QStringLiteral("killed"), std::max(k, 0), true, judgeAt(k, true));
                if (HasFatalFailure()) return;
            }
        }
        // k = 0 (cut before the first change) is in part 0; k = changes (let
        // through whole) in the part it falls in. Each part sees one or the other.
        EXPECT_GT(sawBefore + sawAfter, 0);
        if (part == 0) {
            EXPECT_GT(sawBefore, 0);
        }
        // The pairs: the operation cut before each of its disk changes and
        // let through whole (k = 0 .. changes), over all parts.
        std::printf("%s, part %d of %d: %d of the row's %d (operation, write) pairs%s\n", row.name, part + 1, parts,
                    tried, changes + 1, part == 0 ? ", 3 more by SIGKILL" : "");
    }
}

TEST_F(CrashTableTest, TableCoversEveryOperation) {
    std::set<Operation> named;
    for (const Row& row : allRows())
        if (row.op) named.insert(*row.op);
    for (int i = 0; i < mv::operationCount; ++i)
        EXPECT_TRUE(named.count(Operation(i))) << "no row for " << mv::operationName(Operation(i));
    EXPECT_GE(allRows().size(), size_t(mv::operationCount) + 3);
}

// Two tests per row (the even and the odd disk changes), so that each stays
// well within the time a test may take.
constexpr int partsPerRow = 2;

class CrashRow : public CrashTableTest, public testing::WithParamInterface<size_t> {};

TEST_P(CrashRow, KilledAtEveryWrite) {
    runRow(allRows()[GetParam() / partsPerRow], int(GetParam() % partsPerRow), partsPerRow);
}

std::string rowName(const testing::TestParamInfo<size_t>& info) {
    std::string name;
    for (const char c : std::string(allRows()[info.param / partsPerRow].name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name + "_part" + std::to_string(info.param % partsPerRow + 1);
}

INSTANTIATE_TEST_SUITE_P(Table, CrashRow, testing::Range(size_t(0), allRows().size() * partsPerRow), rowName);

} // namespace
