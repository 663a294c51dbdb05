#include "UBensPesq.h"

#include "UBensCatView.h"
#include "assetfields.h"
#include "assetgrid.h"
#include "reportviews.h"
#include "search.h"
#include "valuation.h"

#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <reports/URM.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace assets {

// The result rows with the asset grid's seven columns.
class ResultModel : public QAbstractTableModel
{
public:
    ResultModel(const std::vector<AssetRow> &rows, QObject *parent)
        : QAbstractTableModel(parent), m_rows(rows)
    {
    }
    QString valueTitle;
    void reload()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 7; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        const AssetRow &r = m_rows[size_t(i.row())];
        if (role == Qt::TextAlignmentRole)
            return int(i.column() == 0 || i.column() == 2 || i.column() == 3 ? Qt::AlignHCenter
                       : i.column() >= 5                                     ? Qt::AlignRight
                                                                             : Qt::AlignLeft);
        if (role != Qt::DisplayRole)
            return {};
        switch (i.column()) {
        case 0:
            return app::formatNumber(r.codigo, "000000");
        case 1:
            return r.descricao;
        case 2:
            return app::formatDate(r.dtAquisicao);
        case 3:
            return app::formatNumber(r.codCat, "00");
        case 4:
            return r.categoria;
        case 5:
            return app::formatMoney(r.vlrAquisicao);
        default:
            return app::formatMoney(r.valorAtual);
        }
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        static const char *titles[] = {"Código", "Descrição do Bem", "Aquisição em",
                                       "Cat",    "Categoria",        "Valor Aquisição"};
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return s < 6 ? QString(titles[s]) : valueTitle;
    }

private:
    const std::vector<AssetRow> &m_rows;
};

TFormBensPesq::TFormBensPesq(data::TDM &dm, AssetValues &values, TFormBensCatView *catView,
                             std::function<std::pair<QDate, QDate>()> period, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), m_dm(dm), m_values(values),
      m_catView(catView), m_period(std::move(period))
{
    setObjectName("TFormBensPesq");
    setWindowTitle("Pesquisar Bens");
    m_criteria = new QFrame;
    m_criteria->setObjectName("PanelCriterios");
    m_criteria->setFrameShape(QFrame::StyledPanel);
    ChkDtMin = new QCheckBox;
    ChkDtMin->setObjectName("ChkDtMin");
    ChkDtMin->setAccessibleName("Usar Data de Aquisição");
    EditDtMin = new QDateEdit;
    EditDtMin->setObjectName("EditDtMin");
    EditDtMax = new QDateEdit;
    EditDtMax->setObjectName("EditDtMax");
    for (QDateEdit *d : {EditDtMin, EditDtMax}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat("dd/MM/yyyy");
    }
    EditTx = new QLineEdit;
    EditTx->setObjectName("EditTx");
    EditTx->setMaxLength(50);
    EditCat = makeCatEdit("EditCat", true);
    EditCat->installEventFilter(this);
    auto *viewCat = new QPushButton("...");
    viewCat->setObjectName("BtViewCat");
    viewCat->setAccessibleName("Ver Categorias");
    viewCat->setFocusPolicy(Qt::NoFocus);
    viewCat->setFixedWidth(26);
    EditVlr = makeValorEdit("EditVlr");
    ComboOrder = new QComboBox;
    ComboOrder->setObjectName("ComboOrder");
    ComboOrder->addItems({"Nome/Descrição do Bem", "Data de Aquisicao", "Valor de Aquisição",
                          "Código de Categoria"});
    BtLimpar = new QPushButton("&Limpar");
    BtLimpar->setObjectName("BtLimpar");
    BtPesq = new QPushButton("&Pesquisar");
    BtPesq->setObjectName("BtPesq");
    BtPesq->setDefault(true);
    auto *help = new QPushButton("Ajuda");
    help->setObjectName("BtHelp");
    app::wireHelp(help, 2023);

    auto *g = new QGridLayout(m_criteria);
    auto *dtCap = caption("&Dt Aquisição De:", EditDtMin);
    g->addWidget(dtCap, 0, 0);
    auto *dates = new QHBoxLayout;
    dates->addWidget(ChkDtMin);
    dates->addWidget(EditDtMin);
    dates->addWidget(caption("A&té:", EditDtMax));
    dates->addWidget(EditDtMax);
    dates->addStretch();
    g->addLayout(dates, 0, 1, 1, 3);
    g->addWidget(caption("Te&xto", EditTx), 1, 0);
    g->addWidget(EditTx, 1, 1, 1, 3);
    g->addWidget(caption("C&ategoria", EditCat), 2, 0);
    auto *cat = new QHBoxLayout;
    cat->addWidget(EditCat);
    cat->addWidget(viewCat);
    g->addLayout(cat, 2, 1);
    g->addWidget(caption("&Valor Aquisição", EditVlr), 2, 2);
    g->addWidget(EditVlr, 2, 3);
    g->addWidget(caption("&Ordenado por:", ComboOrder), 3, 0);
    g->addWidget(ComboOrder, 3, 1);
    auto *bts = new QHBoxLayout;
    bts->addStretch();
    bts->addWidget(help);
    bts->addWidget(BtLimpar);
    bts->addWidget(BtPesq);
    g->addLayout(bts, 3, 2, 1, 2);

    LabelNR = new QLabel("Nenhum Bem.");
    LabelNR->setObjectName("LabelNR");
    m_model = new ResultModel(m_rows, this);
    DBGridPesq = new QTableView;
    DBGridPesq->setObjectName("DBGridPesq");
    DBGridPesq->setModel(m_model);
    setUpBandGrid(DBGridPesq, [this](int row) -> qint64 {
        return m_order == 3 ? m_rows[size_t(row)].codCat : row;
    });
    setAssetColumnWidths(DBGridPesq, 170);
    DBGridPesq->setMinimumSize(660, 240);
    DBGridPesq->horizontalHeader()->setStretchLastSection(false);
    DBGridPesq->installEventFilter(this);

    ComboTit = new QComboBox;
    ComboTit->setObjectName("ComboTit");
    ComboTit->setEditable(true);
    ComboTit->addItems(
        {"Relação de Bens Pesquisados", "Bens Pesquisados", "Relatório de Pesquisa de Bens"});
    ComboTit->lineEdit()->setMaxLength(35);
    ComboTit->setMinimumWidth(240);
    auto *csv = new QPushButton("Salvar CSV");
    csv->setObjectName("BtSaveCSV");
    csv->setToolTip("Salvar a Pesquisa para arquivo CSV");
    auto *print = new QPushButton("Imprimir");
    print->setObjectName("BtPrint");
    print->setToolTip("Imprimir a Pesquisa");
    auto *fechar = new QPushButton("Fechar");
    fechar->setObjectName("BtFechar");
    for (QPushButton *b : {csv, print, fechar})
        b->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(caption("Título do &Relatório:", ComboTit));
    bottom->addWidget(ComboTit);
    bottom->addStretch();
    bottom->addWidget(csv);
    bottom->addWidget(print);
    bottom->addWidget(fechar);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_criteria);
    outer->addWidget(LabelNR);
    outer->addWidget(DBGridPesq, 1);
    outer->addLayout(bottom);

    const auto click = [this](QPushButton *b, void (TFormBensPesq::*fn)()) {
        connect(b, &QPushButton::clicked, this,
                [this, fn] { app::guarded([this, fn] { (this->*fn)(); }); });
    };
    click(BtLimpar, &TFormBensPesq::BtLimparClick);
    click(BtPesq, &TFormBensPesq::BtPesqClick);
    click(csv, &TFormBensPesq::BtSaveCSVClick);
    click(print, &TFormBensPesq::BtPrintClick);
    connect(viewCat, &QPushButton::clicked, this,
            [this] { app::guarded([this] { openCatView(); }); });
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ChkDtMin, &QCheckBox::toggled, EditDtMax, &QWidget::setEnabled);
    connect(DBGridPesq, &QTableView::doubleClicked, this, [this] { choose(); });
    // Entering the criteria closes the result.
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (m_open && now && m_criteria->isAncestorOf(now))
                closeResult("Nenhum lançamento.");
        });
    ComboOrder->setCurrentIndex(0);
}

TFormBensPesq::~TFormBensPesq()
{
    disconnect(m_focusWatch);
}

std::optional<qint64> TFormBensPesq::run()
{
    m_chosen.reset();
    app::placeDialog(this, app::mainWindow());
    m_model->valueTitle = valueColumnTitle(m_values.date());
    if (!m_dm.TbBensCat->isEmpty())
        m_nextCat = m_dm.TbBensCat->asInt("CodCat");
    if (m_open) {
        const int row = DBGridPesq->currentIndex().row();
        {
            app::WaitCursor wait;
            runQuery();
        }
        if (!m_rows.empty())
            DBGridPesq->selectRow(std::min(row, int(m_rows.size()) - 1));
        DBGridPesq->setFocus();
    } else {
        BtLimparClick();
    }
    exec();
    return m_chosen;
}

void TFormBensPesq::closeResult(const QString &label)
{
    m_open = false;
    m_rows.clear();
    m_model->reload();
    LabelNR->setText(label);
    BtPesq->setDefault(true);
}

void TFormBensPesq::BtLimparClick()
{
    const auto [dtIni, dtFim] = m_period();
    EditDtMin->setDate(dtIni);
    ChkDtMin->setChecked(false);
    EditDtMax->setDate(dtFim);
    EditDtMax->setEnabled(false);
    EditTx->clear();
    EditVlr->clear();
    EditCat->clear();
    ComboOrder->setCurrentIndex(1);
    closeResult("Nenhum Bem.");
    EditTx->setFocus();
}

void TFormBensPesq::BtPesqClick()
{
    SearchCriteria c;
    c.useDates = ChkDtMin->isChecked();
    c.dtMin = EditDtMin->date();
    c.dtMax = EditDtMax->date();
    c.text = EditTx->text();
    c.value = EditVlr->text();
    c.category = EditCat->text();
    c.order = SearchOrder(ComboOrder->currentIndex());
    const auto built = buildSearch(c);
    if (const auto *r = std::get_if<SearchRefusal>(&built)) {
        app::Mensagem(r->message, 0);
        QWidget *focus = r->field == SearchField::DtMax      ? static_cast<QWidget *>(EditDtMax)
                         : r->field == SearchField::Value    ? EditVlr
                         : r->field == SearchField::Category ? EditCat
                                                             : EditTx;
        focus->setFocus();
        return;
    }
    const auto &s = std::get<SearchStatement>(built);
    m_sql = searchSql(s, m_dm.TbBens->sqlName(), m_dm.TbBensCat->sqlName());
    m_params = s.params;
    m_order = ComboOrder->currentIndex();
    {
        app::WaitCursor wait;
        runQuery();
    }
    LabelNR->setText(m_rows.empty()
                         ? QString("Nenhum Bem encontrado.")
                         : "Foram encontrados " + QString::number(m_rows.size()) + " Bens.");
    if (!m_rows.empty())
        DBGridPesq->selectRow(int(m_rows.size()) - 1);
    DBGridPesq->setFocus();
    BtPesq->setDefault(false);
}

bool TFormBensPesq::runQuery()
{
    data::Query *q = m_dm.QrBensPesq;
    q->setSql(m_sql, m_params);
    q->open();
    m_rows.clear();
    m_rows.reserve(size_t(q->recordCount()));
    for (int i = 0; i < q->recordCount(); ++i) {
        const qint64 cod = q->valueAt(i, "Codigo").toLongLong();
        m_rows.push_back({cod, q->valueAt(i, "Descricao").toString(),
                          QDate::fromString(q->valueAt(i, "DtAquisicao").toString(), Qt::ISODate),
                          q->valueAt(i, "CodCat").toLongLong(),
                          q->valueAt(i, "Categoria").toString(),
                          app::Money::fromCentavos(q->valueAt(i, "VlrAquisicao").toLongLong()),
                          m_values.valueOf(cod).value_or(app::Money())});
    }
    q->close();
    m_open = true;
    m_model->reload();
    return !m_rows.empty();
}

void TFormBensPesq::openCatView()
{
    if (!m_catView)
        return;
    const QPoint at = EditCat->mapToGlobal(QPoint(3, EditCat->height() + 23));
    if (const auto cod = m_catView->pick(m_nextCat, at)) {
        const QString code = app::formatNumber(*cod, "00");
        EditCat->setText(EditCat->text().isEmpty() ? code : EditCat->text() + " " + code);
        m_nextCat = *cod;
    }
    EditCat->setFocus();
    EditCat->end(false);
}

void TFormBensPesq::choose()
{
    const QModelIndex i = DBGridPesq->currentIndex();
    if (!m_open || m_rows.empty() || !i.isValid())
        return;
    m_chosen = m_rows[size_t(i.row())].codigo;
    accept();
}

static app::Money sumOf(const std::vector<AssetRow> &rows)
{
    app::Money total;
    for (const AssetRow &r : rows)
        total += r.valorAtual;
    return total;
}

void TFormBensPesq::BtSaveCSVClick()
{
    if (!m_open || m_rows.empty()) {
        app::Mensagem("Nenhum Bem para\r\nsalvar em arquivo CSV!", 0);
        return;
    }
    app::saveCsvListing(this, "RelaçãoDeBens.CSV",
                        assetListing(m_rows, accounts::csvUserOf(m_dm),
                                     app::CsvWriter::quote(ComboTit->currentText()),
                                     m_values.date(), "Total dos Bens Pesquisados em ",
                                     sumOf(m_rows)),
                        "OK. Relação de Bens gravada no arquivo \r\n");
}

void TFormBensPesq::BtPrintClick()
{
    if (!m_open || m_rows.empty()) {
        app::Mensagem("Nenhum Bem para imprimir!", 0);
        return;
    }
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1", ComboTit->currentText());
    rm.setParameter("DataVlrBens", m_values.date().toString("dd/MM/yy"));
    rm.setDataView("DvBensPesq", assetView(m_rows));
    rm.run("RepBensPesq");
}

bool TFormBensPesq::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, e);
    const int key = static_cast<QKeyEvent *>(e)->key();
    if (watched == DBGridPesq && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        choose();
        return true;
    }
    if (watched == EditCat && key == Qt::Key_F2) {
        app::guarded([this] { openCatView(); });
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

} // namespace assets
