// Power loss at every sync and delete while the books are written: single entry posts, the
// renumbering of a reduced code (entries, budget and chart in one transaction over three files)
// and chart imports, in random sequences from a fixed seed. After each simulated crash a fresh
// connection must find every file intact, each operation wholly there or wholly absent, and
// every operation that had returned before the crash.
#include "fixture.h"

#include <accounts/chartstore.h>
#include <data/tests/crashvfs.h>

#include <QDir>
#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using namespace accounts;
namespace crashvfs = data::crashvfs;

namespace {

// Change it to explore other sequences; a failure prints it with the sequence and crash point.
constexpr unsigned kSeed = 20261210;
constexpr qint64 kCash = 11;

// What the planner knows of the books, so that each operation it makes is valid when it runs.
struct Account
{
    QString codCta;
    qint64 codRed;
};
struct Plan
{
    std::vector<Account> accounts;  // expense accounts that entries and budget rows use
    std::vector<qint64> freeCodRed; // expense reduced codes no account holds
    int serial = 0;
};

struct OpKind;
struct Op
{
    const OpKind *kind = nullptr;
    QString codCta;
    qint64 from = 0; // post: the debit account; renumbering: the old reduced code
    qint64 to = 0;   // renumbering: the new reduced code
    int serial = 0;
};

struct OpKind
{
    const char *name;
    Op (*plan)(Plan &, std::mt19937 &);
    void (*run)(data::TDM &, const Op &);
};

Op planPost(Plan &p, std::mt19937 &rng)
{
    const Account &a = p.accounts[rng() % p.accounts.size()];
    return {nullptr, a.codCta, a.codRed, 0, ++p.serial};
}

// One entry, one file: the table object's own post.
void runPost(data::TDM &dm, const Op &op)
{
    data::Table *fin = dm.TbFin;
    fin->append();
    fin->setValue("Data", QDate(2026, 12, 1).addDays(op.serial % 28));
    fin->setValue("CtaDeb", op.from);
    fin->setValue("CtaCred", kCash);
    fin->setValue("Valor", qlonglong(1000 + op.serial));
    fin->setValue("Hsto", QString("LANCAMENTO %1").arg(op.serial));
    fin->post();
}

Op planRenumber(Plan &p, std::mt19937 &rng)
{
    Account &a = p.accounts[rng() % p.accounts.size()];
    qint64 &next = p.freeCodRed[rng() % p.freeCodRed.size()];
    const Op op{nullptr, a.codCta, a.codRed, next, ++p.serial};
    std::swap(a.codRed, next);
    return op;
}

// Entries, budget rows and the account in one transaction over three files.
void runRenumber(data::TDM &dm, const Op &op)
{
    data::Table *cta = dm.TbCta;
    if (!cta->findKey({op.codCta}))
        throw std::runtime_error("account " + op.codCta.toStdString() + " is missing");
    cta->edit();
    cta->setValue("CodRed", op.to);
    ChartStore(dm).renumberAndPost(op.from, op.to);
}

Op planImport(Plan &p, std::mt19937 &)
{
    return {nullptr, {}, 0, 0, ++p.serial};
}

// The whole chart replaced, every row changed.
void runImport(data::TDM &dm, const Op &op)
{
    ChartStore store(dm);
    std::vector<CtaRow> rows = store.rows();
    for (CtaRow &r : rows)
        r.descParaHsto = QString("IMPORTACAO %1").arg(op.serial);
    store.replace(rows);
}

const OpKind kKinds[] = {
    {"post", planPost, runPost},
    {"renumber", planRenumber, runRenumber},
    {"importChart", planImport, runImport},
};

std::string describe(const std::vector<Op> &ops)
{
    std::string text;
    for (const Op &op : ops) {
        text += std::to_string(op.serial) + '.' + op.kind->name;
        if (op.kind->run == runRenumber)
            text += ' ' + op.codCta.toStdString() + ' ' + std::to_string(op.from) + "->" +
                    std::to_string(op.to);
        text += "; ";
    }
    return text;
}

// The rows of the chart, entries and budget files, one text per file.
using State = std::vector<QString>;

QStringList s_watched; // the chart's, entries' and budget's file names

State dump(data::Database &db)
{
    State state;
    for (const QString &file : s_watched) {
        const data::AttachGuard g(db, file);
        data::Statement st = db.prepare("SELECT * FROM " + g.table() + " ORDER BY rowid");
        QString text;
        while (st.step()) {
            for (int i = 0; i < st.columnCount(); ++i)
                text += (st.column(i).isValid() ? st.column(i).toString() : "NULL") + '|';
            text += '\n';
        }
        state.push_back(text);
    }
    return state;
}

std::string listOf(const std::set<int> &s)
{
    std::string text;
    for (int i : s)
        text += ' ' + std::to_string(i);
    return '{' + text + " }";
}

// Runs `ops` on the books in `dir` until they end or the machine dies. `after` sees the books
// once opened and after each operation that returned before the crash. Rethrows what an
// operation threw with no crash.
void runOps(const QString &dir, const std::vector<Op> &ops,
            const std::function<void(data::TDM &)> &after)
{
    data::TDM dm;
    dm.DataModuleCreate(dir);
    try {
        accounts::testing::openUserBooks(dm);
        after(dm);
        for (const Op &op : ops) {
            op.kind->run(dm, op);
            // An operation the dead machine let return still never returned to anyone.
            if (crashvfs::crashed())
                return;
            after(dm);
        }
    } catch (const std::exception &) {
        if (!crashvfs::crashed())
            throw;
    }
}

// A crash run happens in a child process, which reports on this pipe: 'R' for each operation
// that returned, then 'A' when it ended in std::terminate after the crash point, 'T' when with
// no crash, or 'F' and the text of an operation that failed with no crash.
int s_reportFd = -1;

void report(const std::string &text)
{
    if (write(s_reportFd, text.data(), text.size()) != ssize_t(text.size()))
        _exit(1);
}

[[noreturn]] void reportTerminate()
{
    report(crashvfs::crashed() ? "A" : "T");
    _exit(0);
}

[[noreturn]] void crashRunChild(const QString &dir, const std::vector<Op> &ops, int crashAt)
{
    // Once the power is gone the process may end in any way, as it would on a real machine: a
    // scope guard that reads the dead disk after a failed commit ends in std::terminate.
    std::set_terminate(reportTerminate);
    crashvfs::arm(crashAt);
    bool opened = false;
    try {
        runOps(dir, ops, [&opened](data::TDM &) {
            if (opened)
                report("R");
            opened = true;
        });
    } catch (const std::exception &e) {
        report(std::string("F") + e.what());
    }
    crashvfs::powerLoss();
    _exit(0);
}

QtMessageHandler s_previousHandler = nullptr;

// A dead machine makes every rollback and close complain; those warnings are the point.
void quietWhileCrashed(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!crashvfs::crashed() && s_previousHandler)
        s_previousHandler(type, context, text);
}

struct Mix
{
    const char *name;
    std::vector<int> kinds; // indexes into kKinds
    int sequences;
    int length;
};

void PrintTo(const Mix &mix, std::ostream *os)
{
    *os << mix.name;
}

class PowerLoss : public ::testing::TestWithParam<Mix>
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { qInstallMessageHandler(s_previousHandler); }

    void restoreStart() const;
    std::vector<State> referenceRun(const std::vector<Op> &ops);
    int crashRun(const std::vector<Op> &ops, int crashAt);
    void verify(const std::vector<State> &states, int lo, int hi);

    static QMap<QString, QByteArray> s_start; // file name -> bytes of the starting books
    static Plan s_plan;
    QTemporaryDir m_dir;
    int m_terminatedAfterCrash = 0;
};
QMap<QString, QByteArray> PowerLoss::s_start;
Plan PowerLoss::s_plan;

// A first-run installation where three expense accounts carry entries and budget rows, so that
// renumbering any of them writes all three files.
void PowerLoss::SetUpTestSuite()
{
    crashvfs::install(); // before the first connection: it opens with the default VFS
    s_previousHandler = qInstallMessageHandler(quietWhileCrashed);
    accounts::testing::Books books;
    std::set<qint64> taken;
    for (const CtaRow &r : ChartStore(books.dm).rows()) {
        if (!r.codRed)
            continue;
        taken.insert(*r.codRed);
        if (r.codCta.startsWith("2.") && r.codCta.size() == 7 && s_plan.accounts.size() < 3)
            s_plan.accounts.push_back({r.codCta, *r.codRed});
    }
    for (qint64 red = 201; red <= 299; ++red)
        if (!taken.count(red))
            s_plan.freeCodRed.push_back(red);
    for (const Account &a : s_plan.accounts) {
        books.addEntry(a.codRed, kCash);
        books.addBudget(a.codRed);
        books.addBudget(a.codRed, QDate(2027, 1, 1));
    }
    s_watched = {books.dm.TbCta->fileName(), books.dm.TbFin->fileName(),
                 books.dm.TbOrc->fileName()};
    const QDir dir(books.dir.path());
    for (const QString &name : dir.entryList({"*.DB"}, QDir::Files)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            s_start.insert(name, f.readAll());
    }
}

// The data directory holds the starting books and nothing else: no journal, no other file.
// Files are rewritten in place and only when they changed: removing and creating files is what
// costs time on this kind of disk.
void PowerLoss::restoreStart() const
{
    QDir dir(m_dir.path());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (!s_start.contains(name))
            dir.remove(name);
    for (auto it = s_start.cbegin(); it != s_start.cend(); ++it) {
        QFile f(dir.filePath(it.key()));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        if (f.readAll() == it.value())
            continue;
        f.seek(0);
        f.write(it.value());
        f.resize(it.value().size());
    }
}

// Runs `ops` on the starting books with no crash, then cuts the power. Returns the books before
// the first operation and after each one.
std::vector<State> PowerLoss::referenceRun(const std::vector<Op> &ops)
{
    restoreStart();
    crashvfs::arm();
    std::vector<State> states;
    try {
        runOps(m_dir.path(), ops, [&states](data::TDM &dm) { states.push_back(dump(dm.db())); });
    } catch (const std::exception &e) {
        ADD_FAILURE() << "operation " << states.size() << " failed with no crash: " << e.what();
    }
    return states;
}

// Runs `ops` on the starting books with the crash at point `crashAt`, in a child process whose
// end does not matter. Returns how many operations returned before the crash.
int PowerLoss::crashRun(const std::vector<Op> &ops, int crashAt)
{
    restoreStart();
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "pipe";
        return 0;
    }
    fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        s_reportFd = fds[1];
        crashRunChild(m_dir.path(), ops, crashAt);
    }
    close(fds[1]);
    QByteArray text;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        text.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the run died of signal " << WTERMSIG(status);
    const qsizetype failure = text.indexOf('F');
    if (failure >= 0) {
        ADD_FAILURE() << "an operation failed with no crash: " << text.mid(failure + 1).data();
        text.truncate(failure);
    }
    EXPECT_FALSE(text.contains('T')) << "std::terminate with no crash";
    m_terminatedAfterCrash += text.count('A');
    return int(text.count('R'));
}

// A fresh connection finds every file intact, and the three watched files together as the
// books were after `lo` or after `hi` operations: each file one of them (durability: nothing
// that had returned is lost), and all files the same one (atomicity). A file matching no state
// at all shows as `{ }`.
void PowerLoss::verify(const std::vector<State> &states, int lo, int hi)
{
    data::Database db;
    db.setDirDados(m_dir.path());
    for (const QString &file : QDir(m_dir.path()).entryList({"*.DB"}, QDir::Files)) {
        const data::AttachGuard g(db, file);
        EXPECT_EQ(
            db.scalar("PRAGMA " + data::quoteIdent(g.alias()) + ".integrity_check").toString(),
            "ok")
            << "integrity of " << file.toStdString();
    }
    const State now = dump(db);
    const std::set<int> allowed{lo, hi};
    std::set<int> common = allowed;
    bool durable = true;
    std::string where;
    for (int t = 0; t < int(s_watched.size()); ++t) {
        std::set<int> matches;
        for (int i = 0; i < int(states.size()); ++i)
            if (states[size_t(i)][size_t(t)] == now[size_t(t)])
                matches.insert(i);
        const std::string file = s_watched[t].toStdString();
        where += file + " after " + listOf(matches) + "; ";
        std::set<int> kept;
        std::set_intersection(common.begin(), common.end(), matches.begin(), matches.end(),
                              std::inserter(kept, kept.begin()));
        common = kept;
        if (std::none_of(matches.begin(), matches.end(),
                         [&](int i) { return allowed.count(i) > 0; })) {
            durable = false;
            ADD_FAILURE() << "durability: " << file << " holds the books after " << listOf(matches)
                          << " operations, expected after " << listOf(allowed);
        }
    }
    // Each file alone is whole; together they must agree on the same operations.
    if (durable) {
        EXPECT_FALSE(common.empty()) << "atomicity: the files hold different operations: " << where;
    }
}

TEST_P(PowerLoss, EveryCrashPointLeavesWholeOperationsAndKeepsReturnedOnes)
{
    const Mix &mix = GetParam();
    std::mt19937 rng(kSeed);
    for (int s = 0; s < mix.sequences && !HasFailure(); ++s) {
        Plan plan = s_plan;
        std::vector<Op> ops;
        for (int n = 0; n < mix.length; ++n) {
            const OpKind &kind = kKinds[mix.kinds[rng() % mix.kinds.size()]];
            Op op = kind.plan(plan, rng);
            op.kind = &kind;
            ops.push_back(op);
        }
        SCOPED_TRACE("seed " + std::to_string(kSeed) + ", sequence " + std::to_string(s) + ": " +
                     describe(ops));
        const int all = int(ops.size());
        const std::vector<State> states = referenceRun(ops);
        ASSERT_EQ(int(states.size()), all + 1);
        const int points = crashvfs::points();
        crashvfs::powerLoss();
        {
            SCOPED_TRACE("power lost after the last operation returned");
            verify(states, all, all);
        }
        for (int k = 1; k <= points && !HasFailure(); ++k) {
            SCOPED_TRACE("crash at point " + std::to_string(k) + " of " + std::to_string(points));
            const int done = crashRun(ops, k);
            verify(states, done, std::min(done + 1, all));
        }
    }
    RecordProperty("runsEndedByTerminateAfterTheCrash", m_terminatedAfterCrash);
}

INSTANTIATE_TEST_SUITE_P(Mixes, PowerLoss,
                         ::testing::Values(Mix{"entryPosts", {0}, 1, 4},
                                           Mix{"renumberings", {1}, 2, 3},
                                           Mix{"chartImports", {2}, 1, 3},
                                           Mix{"anyOperation", {0, 1, 2}, 3, 5}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
