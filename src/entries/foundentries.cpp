#include "foundentries.h"

#include "entrygrid.h"

#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <reports/URM.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace entries {

FoundEntriesScreen::FoundEntriesScreen(data::TDM &dm, Texts texts, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_texts(std::move(texts))
{
    setWindowTitle(m_texts.caption);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    m_criteria = lightPanel(this, "PanelCriterios");
    layout->addWidget(m_criteria);
    buildResult();
    // Entering the criteria drops the result: what is shown always matches what is typed.
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (m_open && now && m_criteria->isAncestorOf(now))
                closeResult();
        });
}

FoundEntriesScreen::~FoundEntriesScreen()
{
    disconnect(m_focusWatch);
}

void FoundEntriesScreen::buildResult()
{
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    DBGridFin = new QTableView(this);
    DBGridFin->setObjectName("DBGridFin");
    setupEntryGrid(DBGridFin);
    m_model = new FoundEntriesModel(m_texts.codigoAlignment, this);
    DBGridFin->setModel(m_model);
    DBGridFin->setItemDelegate(
        new EntryGridDelegate(DBGridFin, [this](int row) { return m_model->accountsOf(row); }));
    setEntryGridColumns(DBGridFin);
    DBGridFin->setMinimumSize(640, 260);
    DBGridFin->installEventFilter(this);
    connect(DBGridFin, &QTableView::doubleClicked, this, [this] { chooseCurrent(); });
    layout->addWidget(DBGridFin, 1);

    LabelNR = new QLabel("Nenhum lançamento.", this);
    LabelNR->setObjectName("LabelNR");
    layout->addWidget(LabelNR);

    auto *bottom = new QFrame(this);
    bottom->setObjectName("PanelBottom");
    auto *b = new QHBoxLayout(bottom);
    b->setContentsMargins(0, 0, 0, 0);
    auto *titLabel = new QLabel("Título do Relatório:", bottom);
    ComboTit = new QComboBox(bottom);
    ComboTit->setObjectName("ComboTit");
    ComboTit->setEditable(true);
    ComboTit->addItems(m_texts.reportTitles.split('|'));
    ComboTit->lineEdit()->setMaxLength(35);
    ComboTit->setMinimumWidth(220);
    titLabel->setBuddy(ComboTit);
    const auto button = [bottom](const char *name, const QString &caption, const QString &hint) {
        auto *bt = new QPushButton(caption, bottom);
        bt->setObjectName(name);
        bt->setToolTip(hint);
        bt->setAutoDefault(false);
        return bt;
    };
    auto *csv = button("BtSaveCSV", "Salvar CSV", "Salvar a Pesquisa em Arquivo CSV");
    auto *print = button("BtImprimir", "Imprimir", "Imprimir a Pesquisa");
    auto *close = button("BtFechar", "Fechar", "Fechar");
    b->addWidget(titLabel);
    b->addWidget(ComboTit);
    b->addStretch();
    b->addWidget(csv);
    b->addWidget(print);
    b->addWidget(close);
    layout->addWidget(bottom);
    connect(csv, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    connect(print, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtImprimirClick(); }); });
    connect(close, &QPushButton::clicked, this, [this] {
        if (!m_texts.keepResultOnClose)
            closeResult();
        reject();
    });
}

const std::vector<FoundEntry> &FoundEntriesScreen::rows() const
{
    return m_model->rows();
}

void FoundEntriesScreen::closeResult()
{
    m_open = false;
    m_model->setRows({});
    LabelNR->setText("Nenhum lançamento.");
    if (BtPesquisar)
        BtPesquisar->setDefault(true);
}

int FoundEntriesScreen::currentRow() const
{
    const QModelIndex i = DBGridFin->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void FoundEntriesScreen::showResult(const SearchQuery &q, std::optional<int> keepRow)
{
    std::vector<FoundEntry> rows = runSearch(m_dm.db(), m_dm.TbFin->sqlName(), q);
    m_query = q;
    const int n = int(rows.size());
    m_model->setRows(std::move(rows));
    m_open = true;
    if (n > 0) {
        const int row = keepRow && *keepRow >= 0 ? std::min(*keepRow, n - 1) : n - 1;
        DBGridFin->setCurrentIndex(m_model->index(row, 0));
        DBGridFin->scrollTo(m_model->index(row, 0));
    }
    LabelNR->setText(resultCountText(n));
    if (BtPesquisar)
        BtPesquisar->setDefault(false);
    DBGridFin->setFocus();
}

std::optional<SearchQuery> FoundEntriesScreen::currentQuery()
{
    auto q = query();
    if (const auto *p = std::get_if<SearchProblem>(&q)) {
        app::Mensagem(p->message, 0);
        fieldOf(p->field)->setFocus();
        return std::nullopt;
    }
    return std::get<SearchQuery>(q);
}

void FoundEntriesScreen::BtPesquisarClick()
{
    if (const auto q = currentQuery()) {
        app::WaitCursor wait;
        showResult(*q);
    }
}

QDateEdit *FoundEntriesScreen::dateEdit(const char *name)
{
    auto *d = new QDateEdit(m_criteria);
    d->setObjectName(name);
    d->setDisplayFormat("dd/MM/yyyy");
    d->setCalendarPopup(true);
    return d;
}

void FoundEntriesScreen::rerun()
{
    if (!m_open)
        return;
    app::WaitCursor wait;
    showResult(m_query, currentRow());
}

void FoundEntriesScreen::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    app::guarded([this] {
        app::placeDialog(this, parentWidget());
        opening();
    });
}

void FoundEntriesScreen::chooseCurrent()
{
    const int row = currentRow();
    if (!m_open || row < 0 || row >= int(rows().size()))
        return;
    m_chosen = rows()[size_t(row)].Codigo;
    accept();
}

bool FoundEntriesScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGridFin && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FoundEntriesScreen::BtImprimirClick()
{
    if (!m_open || rows().empty()) {
        app::Mensagem(m_texts.nothingToPrint, 0);
        return;
    }
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1", ComboTit->currentText());
    rm.setDataView(m_texts.dataView, foundEntriesView(rows()));
    rm.run(m_texts.report);
    DBGridFin->setFocus();
}

QString FoundEntriesScreen::csvTitleOf() const
{
    const auto period = listedPeriod();
    return csvTitleLine(ComboTit->currentText(), period.has_value(),
                        period ? period->first : QDate(), period ? period->second : QDate());
}

void FoundEntriesScreen::BtSaveCSVClick()
{
    if (!m_open || rows().empty()) {
        app::Mensagem(m_texts.nothingToSave, 0);
        return;
    }
    const int row = currentRow();
    app::saveCsvListing(
        this, m_texts.csvName,
        foundEntriesCsv(accounts::csvUserOf(m_dm), csvTitleOf(), m_texts.csvColumns, rows()),
        m_texts.csvDone);
    if (row >= 0)
        DBGridFin->setCurrentIndex(m_model->index(row, 0));
}

} // namespace entries
