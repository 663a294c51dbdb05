#include "UCta.h"

#include "UCtaEdit.h"
#include "accountcode.h"
#include "chartstore.h"
#include "ctadelegate.h"
#include "exchangeui.h"
#include "listings.h"
#include "querymodel.h"

#include <app/application.h>
#include <app/csvsave.h>
#include <app/mensagem.h>

#include "gridsetup.h"
#include "listbuttons.h"

#include <data/UDM.h>
#include <reports/URM.h>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace accounts {

namespace {

struct GroupLook
{
    const char *tab;
    const char *title;
    const char *colour;
    const char *countName;
};
constexpr GroupLook kGroups[3] = {
    {"Saldo/&Circulante", " 0. Contas de Saldo/Circulante", "#437043", "RecNoCirc"},
    {"Entradas/&Receitas", " 1. Contas de Entradas/Receitas", "#000080", "RecNoEntra"},
    {"Saídas/&Despesas", " 2. Contas de Saídas/Despesas", "#800000", "RecNoSai"},
};

} // namespace

TFormCta::TFormCta(data::TDM &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_editor(new TFormCtaEdit(dm, this))
{
    setObjectName("TFormCta");
    setWindowTitle("Plano de Contas");

    DBGridCta = new QTableView;
    DBGridCta->setObjectName("DBGridCta");
    m_model = new QueryModel({{"CodCta", "Código"},
                              {"CodRed", "Red", Qt::AlignRight | Qt::AlignVCenter},
                              {"Descricao", "Descrição"}},
                             this);
    DBGridCta->setModel(m_model);
    DBGridCta->setItemDelegate(new CtaRowDelegate(1, DBGridCta));
    setUpReadOnlyGrid(DBGridCta);
    DBGridCta->setColumnWidth(0, 70);
    DBGridCta->setColumnWidth(1, 40);
    DBGridCta->setShowGrid(false);
    DBGridCta->setMinimumSize(440, 380);

    PageCta = new QTabWidget;
    PageCta->setObjectName("PageCta");
    // Tabs drawn as buttons above the list.
    PageCta->setStyleSheet(
        "QTabWidget::pane { border: none; }"
        "QTabBar::tab { border: 1px solid #8C8C8C; border-radius: 3px; padding: 4px 12px;"
        " margin: 2px; background: #E4E4E4; }"
        "QTabBar::tab:selected { background: #C4C4C4; font-weight: bold; }");
    for (int g = 0; g < 3; ++g)
        PageCta->addTab(makeGroupPage(g), QString::fromUtf8(kGroups[g].tab));
    qobject_cast<QVBoxLayout *>(PageCta->widget(0)->layout())->addWidget(DBGridCta, 1);

    auto *outer = new QHBoxLayout(this);
    outer->addWidget(PageCta, 1);
    outer->addWidget(makeButtons());

    connect(PageCta, &QTabWidget::currentChanged, this, &TFormCta::PageCtaChange);
    connect(DBGridCta->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (data::Query *q = m_model->query(); q && i.isValid())
                    q->moveTo(i.row());
            });
}

TFormCta::~TFormCta() = default;

QWidget *TFormCta::makeGroupPage(int g)
{
    auto *page = new QWidget;
    auto *band = new QFrame;
    band->setObjectName(QString("Band%1").arg(g));
    band->setStyleSheet(QString("QFrame { background: %1; } QLabel { color: white; "
                                "font-weight: bold; }")
                            .arg(kGroups[g].colour));
    auto *title = new QLabel(QString::fromUtf8(kGroups[g].title));
    m_counts[size_t(g)] = new QLabel;
    m_counts[size_t(g)]->setObjectName(kGroups[g].countName);
    m_counts[size_t(g)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4, 3, 6, 3);
    bandLayout->addWidget(title);
    bandLayout->addStretch();
    bandLayout->addWidget(m_counts[size_t(g)]);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    return page;
}

QWidget *TFormCta::makeButtons()
{
    const ListButtons b =
        makeListButtons({newAccountButtonCaption(0), "Salvar o Plano de Contas em Arquivo CSV",
                         "Imprimir o Plano de Contas", "Importar Plano de Contas",
                         "Exportar Plano de Contas", 2031, 30});
    BtNovo = b.novo;
    connect(b.novo, &QPushButton::clicked, this, &TFormCta::BtNovoClick);
    connect(b.editar, &QPushButton::clicked, this, &TFormCta::BtEditarClick);
    connect(b.excluir, &QPushButton::clicked, this, &TFormCta::BtExcluirClick);
    connect(b.csv, &QPushButton::clicked, this, &TFormCta::BtSaveCSVClick);
    connect(b.print, &QPushButton::clicked, this, &TFormCta::BtPrintClick);
    connect(b.exportB, &QPushButton::clicked, this, &TFormCta::BtExportClick);
    connect(b.import, &QPushButton::clicked, this, &TFormCta::BtImportClick);
    connect(b.fechar, &QPushButton::clicked, this, &TFormCta::accept);
    return b.box;
}

int TFormCta::exec()
{
    const bool opened = app::guarded([this] {
        for (int g : {1, 2, 0})
            reopenGroup(g, QString());
    });
    if (!opened)
        return Rejected;
    app::placeDialog(this, app::mainWindow());
    if (PageCta->currentIndex() == 0)
        PageCtaChange(0);
    else
        PageCta->setCurrentIndex(0);
    DBGridCta->setFocus();
    return QDialog::exec();
}

void TFormCta::done(int result)
{
    for (int g = 0; g < 3; ++g)
        groupQuery(g)->close();
    QDialog::done(result);
}

int TFormCta::group() const
{
    return qMax(0, PageCta->currentIndex());
}

data::Query *TFormCta::groupQuery(int g) const
{
    return g == 0 ? m_dm.QrCirc : g == 1 ? m_dm.QrEntra : m_dm.QrSai;
}

void TFormCta::PageCtaChange(int index)
{
    if (index < 0)
        return;
    m_editor->Context.group = index;
    qobject_cast<QVBoxLayout *>(PageCta->widget(index)->layout())->addWidget(DBGridCta, 1);
    m_model->setQuery(groupQuery(index));
    selectQueryRow();
    BtNovo->setText(newAccountButtonCaption(index));
    // The one grid moves to the new tab; moving it would otherwise send the focus elsewhere.
    if (isVisible())
        DBGridCta->setFocus();
}

void TFormCta::showCount(int g)
{
    m_counts[size_t(g)]->setText(QString::number(groupQuery(g)->recordCount()) + " contas");
}

// The grid's current row follows the query's.
void TFormCta::selectQueryRow()
{
    data::Query *q = m_model->query();
    if (!q || q->recordCount() == 0)
        return;
    DBGridCta->setCurrentIndex(m_model->index(q->recNo() - 1, 0));
}

void TFormCta::reopenGroup(int g, const QString &code)
{
    data::Query *q = groupQuery(g);
    q->close();
    q->open();
    for (int row = 0; row < q->recordCount(); ++row)
        if (q->valueAt(row, "CodCta").toString().compare(code, Qt::CaseInsensitive) == 0) {
            q->moveTo(row);
            break;
        }
    // Kept current after every change, so that the label never tells a stale number.
    showCount(g);
    if (g == group())
        selectQueryRow();
}

void TFormCta::refreshGroup()
{
    const QString digit = QString::number(group());
    const QString code = m_dm.TbCta->asString("CodCta");
    reopenGroup(group(), code.startsWith(digit) ? code : digit);
}

QString TFormCta::currentCode() const
{
    const QModelIndex i = DBGridCta->currentIndex();
    if (!i.isValid())
        return {};
    return m_model->index(i.row(), 0).data().toString();
}

void TFormCta::runGuarded(void (TFormCta::*work)())
{
    app::guarded([this, work] { (this->*work)(); });
}

void TFormCta::BtNovoClick()
{
    runGuarded(&TFormCta::includeAccount);
}

void TFormCta::BtEditarClick()
{
    runGuarded(&TFormCta::editAccount);
}

void TFormCta::BtExcluirClick()
{
    runGuarded(&TFormCta::deleteAccount);
}

void TFormCta::BtSaveCSVClick()
{
    runGuarded(&TFormCta::saveCsv);
    DBGridCta->setFocus();
}

void TFormCta::BtPrintClick()
{
    app::guarded([this] {
        if (m_dm.TbCta->isEmpty()) {
            app::Mensagem("Nenhuma Conta para imprimir!", 0);
            return;
        }
        reports::TRM rm(m_dm, this);
        rm.setDataView("DvCta", reports::tableView(*m_dm.TbCta));
        rm.run("RepCta");
    });
    DBGridCta->setFocus();
}

void TFormCta::BtExportClick()
{
    app::guarded([this] { exportChart(this, m_dm, freshTrailerRandom()); });
    DBGridCta->setFocus();
}

void TFormCta::BtImportClick()
{
    runGuarded(&TFormCta::importChartFile);
    DBGridCta->setFocus();
}

void TFormCta::includeAccount()
{
    const int g = group();
    m_editor->setWindowTitle(newAccountTitle(g));
    m_editor->Context = CtaEditContext{};
    m_editor->Context.group = g;
    m_dm.TbCta->append();
    m_dm.TbCta->setValue("CodCta", QString::number(g) + ".");
    m_editor->exec();
    refreshGroup();
}

void TFormCta::editAccount()
{
    const QString code = currentCode();
    if (isGroupRoot(code)) {
        app::Mensagem(rootsNotEditableMessage(), 0);
        return;
    }
    if (code.isEmpty() || !m_dm.TbCta->findKey({code})) {
        app::Mensagem("Nenhuma Conta para Editar!", 0);
        return;
    }
    const CtaRow row = ChartStore::currentRow(*m_dm.TbCta);
    m_editor->Context = ChartStore(m_dm).contextFor(row, group());
    m_dm.TbCta->edit();
    m_editor->setWindowTitle(editTitle(row));
    m_editor->exec();
    refreshGroup();
}

void TFormCta::deleteAccount()
{
    const QString code = currentCode();
    if (isGroupRoot(code)) {
        app::Mensagem(rootsNotEditableMessage(), 0);
        return;
    }
    if (code.isEmpty() || !m_dm.TbCta->findKey({code})) {
        app::Mensagem("Nenhuma Conta para Excluir!", 0);
        return;
    }
    const CtaRow row = ChartStore::currentRow(*m_dm.TbCta);
    if (const auto refusal = ChartStore(m_dm).deleteRefusal(row)) {
        app::Mensagem(*refusal, 0);
        return;
    }
    if (app::Mensagem(deleteQuestion(row), 2) != app::MsgButton::Yes)
        return;
    m_dm.TbCta->remove();
    // The last account of a group is followed by the next group's root: stay in this group.
    if (!m_dm.TbCta->asString("CodCta").startsWith(QString::number(group())))
        m_dm.TbCta->prior();
    refreshGroup();
}

void TFormCta::saveCsv()
{
    const std::vector<CtaRow> rows = ChartStore(m_dm).rows();
    if (rows.empty()) {
        app::Mensagem("Nenhuma Conta para\r\nsalvar em arquivo CSV!", 0);
        return;
    }
    app::saveCsvListing(this, "PlanoDeContas.CSV", chartListing(rows, csvUserOf(m_dm)),
                        "OK. Plano de Contas gravado no arquivo \r\n");
}

void TFormCta::importChartFile()
{
    if (!importChart(this, m_dm))
        return;
    for (int g : {1, 2, 0})
        reopenGroup(g, QString());
}

} // namespace accounts
