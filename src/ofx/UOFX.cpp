#include "UOFX.h"

#include "importer.h"
#include "ofxmodel.h"
#include "reader.h"

#include <accounts/UCtaView.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <entries/entrygrid.h>
#include <entries/lookups.h>
#include <entries/period.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace ofx {

namespace {

const OfxAccount kAccount[3] = {OfxAccount::Banco, OfxAccount::Receita, OfxAccount::Despesa};
const char *const kField[3] = {"Cta0OFX", "Cta1OFX", "Cta2OFX"};
// The look-up's group of each field.
const char *const kFiltro[3] = {"(CodCta<'1')", "(CodCta>='1' and CodCta<'2')", "(CodCta>='2')"};

} // namespace

TFormOFX::TFormOFX(data::TDM &dm, accounts::TFormCtaView *ctaView, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_ctaView(ctaView), m_leave(this, [this](QWidget *field) {
          for (int i = 0; i < 3; ++i)
              if (field == EditCta[i])
                  return exitCheck(i);
          return true;
      })
{
    setObjectName("TFormOFX");
    setWindowTitle("Quorvila :: Importar Extrato OFX");
    build();
}

TFormOFX::~TFormOFX() = default;

void TFormOFX::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *title = entries::lightPanel(this, "PanelTitulo");
    auto *th = new QHBoxLayout(title);
    th->setContentsMargins(4, 2, 4, 2);
    auto *titleText =
        new QLabel("  Importar Lançamentos de Extrato Bancário de Arquivo OFX", title);
    QFont bold = titleText->font();
    bold.setBold(true);
    titleText->setFont(bold);
    auto *help = new QPushButton("?", title);
    help->setObjectName("BtHelp");
    help->setAutoDefault(false);
    help->setFixedWidth(26);
    app::wireHelp(help, 2051);
    th->addWidget(titleText, 1);
    th->addWidget(help);
    layout->addWidget(title);

    BtOpenOFX = new QPushButton(" Abrir Arquivo OFX", this);
    BtOpenOFX->setObjectName("BtOpenOFX");
    BtOpenOFX->setAutoDefault(false);
    connect(BtOpenOFX, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtOpenOFXClick(); }); });
    auto *open = new QHBoxLayout;
    open->addWidget(BtOpenOFX);
    open->addStretch();
    layout->addLayout(open);
    layout->addWidget(buildAccounts());
    layout->addWidget(buildHeader());

    CheckConfirmado = new QCheckBox("Marcar lançamentos importados como 'OK.Confirmado' .", this);
    CheckConfirmado->setObjectName("CheckConfirmado");
    connect(CheckConfirmado, &QCheckBox::clicked, this,
            [this] { app::guarded([this] { CheckConfirmadoClick(); }); });
    layout->addWidget(CheckConfirmado);
    LabelNR = new QLabel(this);
    LabelNR->setObjectName("LabelNR");
    layout->addWidget(LabelNR);

    DBGridOFX1 = new QTableView(this);
    DBGridOFX1->setObjectName("DBGridOFX1");
    DBGridOFX1->setAccessibleName("Lançamentos do arquivo OFX");
    entries::setupEntryGrid(DBGridOFX1);
    m_model = new OfxRowsModel(this);
    DBGridOFX1->setModel(m_model);
    DBGridOFX1->setItemDelegate(new entries::EntryGridDelegate(DBGridOFX1, [this](int row) {
        const StagingRow &s = m_model->rows()[size_t(row)].row;
        return std::pair<qint64, qint64>(s.CtaDeb, s.CtaCred);
    }));
    const int widths[] = {58, 65, 30, 30, 73, 256, 95, 20, 70};
    for (int i = 0; i < OfxRowsModel::ColumnCount; ++i)
        DBGridOFX1->setColumnWidth(i, widths[i]);
    DBGridOFX1->setMinimumSize(720, 220);
    DBGridOFX1->installEventFilter(this);
    connect(DBGridOFX1, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (i.column() == OfxRowsModel::Incluir)
            m_model->toggle(i.row());
    });
    layout->addWidget(DBGridOFX1, 1);

    auto *bottom = new QHBoxLayout;
    auto *verse = new QLabel("\"O prudente percebe o perigo e se protege.\" Provérbios 22:3", this);
    verse->setObjectName("LabelVersiculo");
    QFont italic = verse->font();
    italic.setItalic(true);
    verse->setFont(italic);
    verse->setStyleSheet("color: #808000");
    BtImportar = new QPushButton(" Importar Lançamentos", this);
    BtImportar->setObjectName("BtImportar");
    BtImportar->setAutoDefault(false);
    BtFechar = new QPushButton("Fechar", this);
    BtFechar->setObjectName("BtFechar");
    BtFechar->setAutoDefault(false);
    bottom->addWidget(verse, 1);
    bottom->addWidget(BtImportar);
    bottom->addWidget(BtFechar);
    layout->addLayout(bottom);
    connect(BtImportar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtImportarClick(); }); });
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::reject);
    m_leave.addWayOut(BtFechar);
}

QWidget *TFormOFX::buildAccounts()
{
    auto *p = entries::lightPanel(this, "PanelContas");
    auto *g = new QGridLayout(p);
    g->setContentsMargins(6, 4, 6, 4);
    g->addWidget(new QLabel(" Importar Lançamentos OFX inicialmente para as seguintes Contas:", p),
                 0, 0, 1, 4);
    const char *captions[3] = {"Conta Banco", "Conta Receita", "Conta Despesa"};
    for (int i = 0; i < 3; ++i) {
        EditCta[i] = new QLineEdit(p);
        EditCta[i]->setObjectName(QString("EditCta%1").arg(i));
        EditCta[i]->setMaxLength(3);
        EditCta[i]->setFixedWidth(EditCta[i]->fontMetrics().horizontalAdvance("0000") + 12);
        EditCta[i]->setValidator(new app::CharsetValidator("0-9", EditCta[i]));
        EditCta[i]->installEventFilter(this);
        auto *label = new QLabel(captions[i], p);
        label->setBuddy(EditCta[i]);
        auto *bt = new QToolButton(p);
        bt->setObjectName(QString("BtViewCta%1").arg(i));
        bt->setText("...");
        bt->setToolTip("Escolher a conta (F2)");
        bt->setFocusPolicy(Qt::NoFocus);
        connect(bt, &QToolButton::clicked, this,
                [this, i] { app::guarded([&] { openPicker(i); }); });
        LbCta[i] = new QLabel(p);
        LbCta[i]->setObjectName(QString("LbCta%1").arg(i));
        g->addWidget(label, i + 1, 0);
        g->addWidget(EditCta[i], i + 1, 1);
        g->addWidget(bt, i + 1, 2);
        g->addWidget(LbCta[i], i + 1, 3);
    }
    g->setColumnStretch(3, 1);
    m_leave.watch({EditCta[0], EditCta[1], EditCta[2]});
    return p;
}

QWidget *TFormOFX::buildHeader()
{
    auto *p = entries::lightPanel(this, "PanelArquivo");
    auto *g = new QGridLayout(p);
    g->setContentsMargins(6, 4, 6, 4);
    const auto fact = [p](const char *name) {
        auto *l = new QLabel(p);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    LbNomeArquivo = fact("LbNomeArquivo");
    LbBanco = fact("LbBanco");
    LbAgencia = fact("LbAgencia");
    LbPeriodo = fact("LbPeriodo");
    LbSaldo = fact("LbSaldo");
    LbDataSaldo = fact("LbDataSaldo");
    g->addWidget(new QLabel("Nome do Arquivo:", p), 0, 0);
    g->addWidget(LbNomeArquivo, 0, 1, 1, 3);
    g->addWidget(new QLabel("Banco:", p), 1, 0);
    g->addWidget(LbBanco, 1, 1);
    g->addWidget(new QLabel(" Agência e Conta:", p), 1, 2);
    g->addWidget(LbAgencia, 1, 3);
    g->addWidget(new QLabel("Período do Extrato:", p), 2, 0);
    g->addWidget(LbPeriodo, 2, 1, 1, 3);
    g->addWidget(LbDataSaldo, 3, 0, 1, 2);
    g->addWidget(LbSaldo, 3, 2, 1, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return p;
}

void TFormOFX::resetHeader()
{
    for (QLabel *l : {LbNomeArquivo, LbPeriodo, LbBanco, LbAgencia, LbSaldo})
        l->clear();
    LbNomeArquivo->setToolTip({});
    LbDataSaldo->setText("Saldo do Extrato em __/__/____:");
    QFont f = LabelNR->font();
    f.setBold(false);
    LabelNR->setFont(f);
    LabelNR->setText("Nenhum Lançamento.");
}

void TFormOFX::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    app::guarded([this] {
        BtImportar->setEnabled(false);
        resetHeader();
        m_imported = 0;
        data::Table &user = *m_dm.TbUser;
        CheckConfirmado->setChecked(user.asBool("OkOFX"));
        for (int i = 0; i < 3; ++i) {
            const qint64 code = user.asInt(kField[i]);
            // A number that names no account any more is forgotten.
            if (code != 0 && !entries::findAccount(m_dm.db(), *m_dm.TbCta, code))
                saveAccount(i, 0);
            EditCta[i]->setText(user.isNull(kField[i]) ? QString()
                                                       : QString::number(user.asInt(kField[i])));
            m_remembered[i] = EditCta[i]->text();
        }
        for (int i = 0; i < 3; ++i)
            exitCheck(i);
        BtOpenOFX->setFocus();
    });
}

void TFormOFX::saveAccount(int i, qint64 codRed)
{
    data::Table &user = *m_dm.TbUser;
    user.edit();
    user.setValue(kField[i], codRed > 0 ? QVariant(codRed) : QVariant());
    user.post();
}

Preferences TFormOFX::preferences() const
{
    const data::Table &user = *m_dm.TbUser;
    return {int(user.asInt("Cta0OFX")), int(user.asInt("Cta1OFX")), int(user.asInt("Cta2OFX")),
            user.asBool("OkOFX")};
}

void TFormOFX::focusField(int i)
{
    m_leave.focus(EditCta[i]);
}

bool TFormOFX::exitCheck(int i)
{
    const QString text = EditCta[i]->text().trimmed();
    const qint64 code = text.toLongLong();
    if (!text.isEmpty() && !inRange(kAccount[i], code)) {
        app::Mensagem(outOfRangeText(kAccount[i]), 0);
        return false;
    }
    const auto account =
        text.isEmpty() ? std::nullopt : entries::findAccount(m_dm.db(), *m_dm.TbCta, code);
    LbCta[i]->setText(account ? account->label() : QString());
    if (!text.isEmpty() && !account) {
        app::Mensagem(unknownAccountText(kAccount[i]), 0);
        return false;
    }
    if (m_dm.TbUser->asInt(kField[i]) != code || (text.isEmpty() != m_dm.TbUser->isNull(kField[i])))
        saveAccount(i, code);
    if (text != m_remembered[i]) {
        m_remembered[i] = text;
        rebook();
    }
    return true;
}

void TFormOFX::rebook()
{
    if (m_model->rows().empty())
        return;
    app::WaitCursor wait;
    const Preferences prefs = preferences();
    for (ImportRow &r : m_model->rows())
        bookRow(r.row, prefs);
    m_model->rowsChanged();
}

void TFormOFX::CheckConfirmadoClick()
{
    data::Table &user = *m_dm.TbUser;
    user.edit();
    user.setValue("OkOFX", CheckConfirmado->isChecked());
    user.post();
    if (m_model->rows().empty())
        return;
    app::WaitCursor wait;
    for (ImportRow &r : m_model->rows())
        r.row.Confirmado = CheckConfirmado->isChecked();
    m_model->rowsChanged();
}

void TFormOFX::openPicker(int i)
{
    if (!m_ctaView)
        return;
    const auto current =
        entries::findAccount(m_dm.db(), *m_dm.TbCta, EditCta[i]->text().toLongLong());
    m_ctaView->Tag = 0;
    m_ctaView->FiltroCta = kFiltro[i];
    m_ctaView->CodCtaIni = current ? current->codCta : QString();
    m_ctaView->showAt(EditCta[i]->mapToGlobal(QPoint(-71, EditCta[i]->height() + 23)));
    activateWindow();
    if (m_ctaView->Tag == 1) {
        const qint64 codRed = m_dm.TbCta->asInt("CodRed");
        EditCta[i]->setText(codRed > 0 ? QString::number(codRed) : QString());
    }
    m_dm.TbCta->setFilter({});
    if (exitCheck(i)) {
        focusField(i);
        EditCta[i]->selectAll();
    } else {
        focusField(i);
    }
}

bool TFormOFX::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (watched == DBGridOFX1 && key == Qt::Key_Space) {
        m_model->toggle(DBGridOFX1->currentIndex().row());
        return true;
    }
    for (int i = 0; i < 3; ++i) {
        if (watched != EditCta[i])
            continue;
        if (key == Qt::Key_F2) {
            app::guarded([&] { openPicker(i); });
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (i < 2)
                EditCta[i + 1]->setFocus();
            else
                DBGridOFX1->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The rows and facts shown stay until another statement has been read whole: cancelling the
// dialog or choosing a file that is not a statement leaves the screen as it was.
void TFormOFX::BtOpenOFXClick()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      "Open Financial Exchange (*.OFX *.ofx)");
    if (!path.isEmpty())
        openFile(path);
}

void TFormOFX::openFile(const QString &path)
{
    Statement st;
    std::vector<ImportRow> rows;
    {
        app::WaitCursor wait;
        // A file that is not a statement throws here, with the reader's message, and leaves
        // the screen as it was.
        st = readStatementFile(path, preferences());
        for (StagingRow &r : st.rows) {
            r.Confirmado = CheckConfirmado->isChecked();
            rows.push_back({std::move(r)});
        }
        markSimilar(m_dm.db(), m_dm.TbFin->sqlName(), rows);
    }
    resetHeader();
    LbNomeArquivo->setText(" " + QFileInfo(path).fileName());
    LbNomeArquivo->setToolTip(path);
    LbBanco->setText(st.bankId);
    LbAgencia->setText(" " + st.branchId + " " + st.accountId);
    LbSaldo->setText(st.balance ? "R$ " + app::formatMoney(*st.balance) + " " : QString());
    if (st.balanceDate.isValid())
        LbDataSaldo->setText("Saldo do Extrato em " + app::formatDate(st.balanceDate) + ":");
    if (st.periodStart.isValid() || st.periodEnd.isValid())
        LbPeriodo->setText(" " + app::formatDate(st.periodStart) + " a " +
                           app::formatDate(st.periodEnd));
    const int n = int(rows.size());
    m_model->setRows(std::move(rows));
    QFont f = LabelNR->font();
    f.setBold(true);
    LabelNR->setFont(f);
    QString count = entryCountText(n);
    if (st.zeroAmountsLeftOut > 0)
        count += " " + QString::number(st.zeroAmountsLeftOut) +
                 " lançamento(s) de valor zero não foram incluídos.";
    LabelNR->setText(count);
    BtImportar->setEnabled(n > 0);
    if (n == 0) {
        app::Mensagem(noEntriesMessage(), 0);
    } else {
        DBGridOFX1->setCurrentIndex(m_model->index(0, 0));
    }
    DBGridOFX1->setFocus();
}

void TFormOFX::BtImportarClick()
{
    if (!m_leave.checkFocused(BtImportar))
        return;
    std::vector<ImportRow> &rows = m_model->rows();
    // The data may have changed since the file was read: the similar rows are found again.
    markSimilar(m_dm.db(), m_dm.TbFin->sqlName(), rows);
    m_model->rowsChanged();
    if (const auto p = checkImport(m_dm.db(), *m_dm.TbCta, preferences(), rows,
                                   entries::fechadoAte(*m_dm.TbUser))) {
        app::Mensagem(p->message, 0);
        if (p->account)
            focusField(int(*p->account));
        else
            DBGridOFX1->setFocus();
        return;
    }
    const int similar = m_model->similarIncludedCount();
    if (similar > 0 && app::Mensagem(similarRowsQuestion(similar), 2) != app::MsgButton::Yes) {
        DBGridOFX1->setFocus();
        return;
    }
    if (app::Mensagem(importQuestion(m_model->includedCount()), 2) != app::MsgButton::Yes) {
        DBGridOFX1->setFocus();
        return;
    }
    ImportResult r;
    {
        app::WaitCursor wait;
        m_dm.TbFin->disableControls();
        struct Resume
        {
            data::Table &t;
            ~Resume() { t.enableControls(); }
        } resume{*m_dm.TbFin};
        r = importRows(m_dm.db(), *m_dm.TbFin, rows, app::today());
    }
    m_imported = r.count;
    m_mark = r.mark;
    accept();
}

} // namespace ofx
