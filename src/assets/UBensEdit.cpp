#include "UBensEdit.h"

#include "UBensCatView.h"
#include "UBensVlrEdit.h"
#include "assetfields.h"
#include "assetstore.h"

#include <accounts/gridsetup.h>
#include <accounts/listbuttons.h>
#include <accounts/mnemonicbutton.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <data/UDM.h>

#include <QAbstractTableModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace assets {

// The pending changes as the list shows them: Motivo, Data, Valor.
class ChangesModel : public QAbstractTableModel
{
public:
    explicit ChangesModel(const std::vector<ValueChange> &rows, QObject *parent)
        : QAbstractTableModel(parent), m_rows(rows)
    {
    }
    void reload()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 3; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        const ValueChange &c = m_rows[size_t(i.row())];
        if (role == Qt::DisplayRole)
            return i.column() == 0   ? kindText(c.tipoVlr)
                   : i.column() == 1 ? app::formatDate(c.data)
                                     : valorText(c.valor);
        if (role == Qt::TextAlignmentRole)
            return int(i.column() == 0   ? Qt::AlignLeft
                       : i.column() == 1 ? Qt::AlignHCenter
                                         : Qt::AlignRight);
        if (role == Qt::UserRole)
            return c.tipoVlr == 0;
        return {};
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return s == 0 ? "Motivo" : s == 1 ? "Data" : "Valor";
    }

private:
    const std::vector<ValueChange> &m_rows;
};

// Valorizations in blue on light blue, the others in dark red on pink; the selected row of the
// focused list white on the row's own dark colour.
class ChangesDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &o, const QModelIndex &i) const override
    {
        const bool up = i.data(Qt::UserRole).toBool();
        const QColor dark = up ? QColor(0x00, 0x00, 0x80) : QColor(0x80, 0x00, 0x00);
        QColor back = up ? QColor(0xDF, 0xED, 0xF9) : QColor(0xFF, 0xE6, 0xE6), fore = dark;
        if ((o.state & QStyle::State_Selected) && o.widget && o.widget->hasFocus()) {
            back = dark;
            fore = Qt::white;
        }
        p->fillRect(o.rect, back);
        p->setPen(fore);
        const auto a = Qt::Alignment(i.data(Qt::TextAlignmentRole).toInt());
        p->drawText(o.rect.adjusted(2, 3, -2, 0), int(a | Qt::AlignTop), i.data().toString());
    }
};

TFormBensEdit::TFormBensEdit(data::TDM &dm, TFormBensCatView *catView, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm),
      m_catView(catView), m_vlrEdit(new TFormBensVlrEdit(this)),
      m_leave(this, [this](QWidget *f) { return leaveField(f); })
{
    setObjectName("TFormBensEdit");
    EditDescr = new QLineEdit;
    EditDescr->setObjectName("EditDescr");
    EditDescr->setMaxLength(50);
    EditDescr->setMinimumWidth(330);
    LabelCodigo = new QLabel;
    LabelCodigo->setObjectName("LabelCodigo");
    LabelCodigo->setStyleSheet("color: #006000; font-weight: bold;");
    EditObs = new QLineEdit;
    EditObs->setObjectName("EditObs");
    EditObs->setMaxLength(255);
    EditCat = makeCatEdit("EditCat", false);
    EditCat->setMaximumWidth(40);
    BtViewCat = new QPushButton("...");
    BtViewCat->setObjectName("BtViewCat");
    BtViewCat->setAccessibleName("Ver Categorias");
    BtViewCat->setFocusPolicy(Qt::NoFocus);
    BtViewCat->setFixedWidth(26);
    LbCat = new QLabel;
    LbCat->setObjectName("LbCat");
    LbCat->setTextFormat(Qt::PlainText);
    EditDt = makeDateEdit("EditDt");
    EditValor = makeValorEdit("EditValor");
    EditValor->setMaximumWidth(140);

    auto *g = new QGridLayout;
    g->addWidget(caption("&Nome/Descrição do Bem", EditDescr), 0, 0);
    g->addWidget(new QLabel("Código"), 0, 3);
    g->addWidget(EditDescr, 1, 0, 1, 3);
    g->addWidget(LabelCodigo, 1, 3);
    g->addWidget(caption("Descrição De&talhada", EditObs), 2, 0);
    g->addWidget(EditObs, 3, 0, 1, 4);
    g->addWidget(caption("Categ&oria", EditCat), 4, 0);
    g->addWidget(caption("&Data Aquisição", EditDt), 4, 2);
    g->addWidget(caption("&Valor de Aquisição", EditValor), 4, 3);
    auto *cat = new QHBoxLayout;
    cat->addWidget(EditCat);
    cat->addWidget(BtViewCat);
    cat->addWidget(LbCat, 1);
    g->addLayout(cat, 5, 0, 1, 2);
    g->addWidget(EditDt, 5, 2);
    g->addWidget(EditValor, 5, 3);

    auto *box = new QGroupBox("Atualizações do Valor do Bem");
    m_model = new ChangesModel(m_changes, this);
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setModel(m_model);
    accounts::setUpReadOnlyGrid(DBGrid1);
    DBGrid1->setItemDelegate(new ChangesDelegate(DBGrid1));
    DBGrid1->setColumnWidth(0, 130);
    DBGrid1->setColumnWidth(1, 90);
    DBGrid1->setMinimumHeight(120);
    BtNovo = new QPushButton("&Incluir");
    BtNovo->setObjectName("BtNovo");
    BtEditar = new QPushButton("&Editar");
    BtEditar->setObjectName("BtEditar");
    BtExcluir = new QPushButton("E&xcluir");
    BtExcluir->setObjectName("BtExcluir");
    auto *boxButtons = new QVBoxLayout;
    for (QPushButton *b : {BtNovo, BtEditar, BtExcluir})
        boxButtons->addWidget(b);
    boxButtons->addStretch();
    LabelValorTotal = new QLabel;
    LabelValorTotal->setObjectName("LabelValorTotal");
    LabelValorTotal->setStyleSheet("font-weight: bold;");
    auto *total = new QHBoxLayout;
    total->addStretch();
    total->addWidget(new QLabel("Valor do Bem:"));
    total->addWidget(LabelValorTotal);
    auto *boxRow = new QHBoxLayout;
    boxRow->addWidget(DBGrid1, 1);
    boxRow->addLayout(boxButtons);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(boxRow);
    boxLayout->addLayout(total);

    const accounts::EditorButtons b = accounts::makeEditorButtons(2022);
    BtOk = b.ok;
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(g);
    outer->addWidget(box);
    outer->addLayout(b.row);

    const auto click = [this](QPushButton *button, void (TFormBensEdit::*fn)()) {
        connect(button, &QPushButton::clicked, this,
                [this, fn] { app::guarded([this, fn] { (this->*fn)(); }); });
    };
    click(BtNovo, &TFormBensEdit::BtNovoClick);
    click(BtEditar, &TFormBensEdit::BtEditarClick);
    click(BtExcluir, &TFormBensEdit::BtExcluirClick);
    click(BtOk, &TFormBensEdit::BtOkClick);
    click(BtViewCat, &TFormBensEdit::openCatView);
    connect(b.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this,
            [this] { app::guarded([this] { BtEditarClick(); }); });
    m_leave.watch({EditCat, EditDt, EditValor});
    m_leave.addWayOut(b.cancel);
    EditCat->installEventFilter(this);
    auto *nav = new app::FieldNavigator(this);
    nav->addException(DBGrid1);
}

TFormBensEdit::~TFormBensEdit() = default;

bool TFormBensEdit::run(const QString &title)
{
    data::Table *t = m_dm.TbBens;
    setWindowTitle(title);
    BtOk->setProperty("Tag", 0);
    EditDescr->setText(t->asString("Descricao"));
    EditObs->setText(t->asString("Obs"));
    LabelCodigo->setText(app::formatNumber(t->asInt("Codigo"), "000000"));
    EditCat->setText(t->isNull("CodCat") ? QString() : QString::number(t->asInt("CodCat")));
    EditDt->setText(t->isNull("DtAquisicao") ? QString()
                                             : app::formatDate(t->asDate("DtAquisicao")));
    EditValor->setText(t->isNull("VlrAquisicao") ? QString()
                                                 : valorText(t->asMoney("VlrAquisicao")));
    // A new asset (a replica too) starts without changes.
    m_changes = t->state() == data::Table::State::Edit
                    ? readChanges(Register::of(m_dm), t->asInt("Codigo"))
                    : std::vector<ValueChange>{};
    showChanges(m_changes.empty() ? -1 : 0);
    const std::optional<QString> name =
        EditCat->text().isEmpty() ? std::nullopt
                                  : categoryName(Register::of(m_dm), EditCat->text().toLongLong());
    LbCat->setText(name.value_or(QString()));
    m_leave.clearRefusal();
    AtualizarValorTotal();
    app::placeDialog(this, app::mainWindow());
    EditDescr->setFocus();
    if (exec() == QDialog::Accepted)
        return true;
    app::guarded([t] { t->cancel(); });
    m_changes.clear();
    return false;
}

void TFormBensEdit::showChanges(int current)
{
    m_model->reload();
    if (current >= 0 && current < int(m_changes.size()))
        DBGrid1->selectRow(current);
}

void TFormBensEdit::AtualizarValorTotal()
{
    VlrTotalBem = totalValue(valorOf(EditValor->text()), m_changes);
    LabelValorTotal->setText(valorText(VlrTotalBem));
}

bool TFormBensEdit::checkCategory()
{
    const QString text = EditCat->text().trimmed();
    const std::optional<QString> name =
        text.isEmpty() ? std::nullopt : categoryName(Register::of(m_dm), text.toLongLong());
    LbCat->setText(name.value_or(QString()));
    if (!name && !text.isEmpty()) {
        app::Mensagem(unknownCategoryText(), 0);
        return false;
    }
    return true;
}

bool TFormBensEdit::leaveField(QWidget *field)
{
    if (field == EditCat)
        return checkCategory();
    std::optional<QString> p;
    if (field == EditDt)
        p = dateProblem(EditDt->text());
    else if (field == EditValor)
        p = valorProblem(EditValor->text(), "Valor de Aquisição");
    if (p) {
        app::Mensagem(*p, 0);
        return false;
    }
    if (field == EditValor) {
        EditValor->setText(EditValor->text().isEmpty() ? QString()
                                                       : valorText(valorOf(EditValor->text())));
        AtualizarValorTotal();
    }
    return true;
}

void TFormBensEdit::openCatView()
{
    if (!m_catView)
        return;
    const QPoint at = EditCat->mapToGlobal(QPoint(3, EditCat->height() + 23));
    if (const auto cod = m_catView->pick(EditCat->text().toLongLong(), at))
        EditCat->setText(QString::number(*cod));
    checkCategory();
    m_leave.focus(EditCat);
}

bool TFormBensEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == EditCat && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(e)->key() == Qt::Key_F2) {
        app::guarded([this] { openCatView(); });
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TFormBensEdit::BtNovoClick()
{
    ValueChange c;
    c.tipoVlr = 0;
    // New changes carry a negative number of their own until they are stored, so the list can
    // find them again after sorting.
    c.codigo = --m_newCode;
    if (m_vlrEdit->editChange(c, "Incluir Atualização do Valor do Bem")) {
        m_changes.push_back(c);
        placeAfterEdit(c.codigo);
    }
    AtualizarValorTotal();
}

void TFormBensEdit::placeAfterEdit(qint64 codigo)
{
    sortChanges(m_changes);
    const auto it = std::find_if(m_changes.begin(), m_changes.end(),
                                 [codigo](const ValueChange &x) { return x.codigo == codigo; });
    showChanges(int(it - m_changes.begin()));
}

int TFormBensEdit::currentChange() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    if (i.isValid() && i.row() < int(m_changes.size()))
        return i.row();
    return m_changes.empty() ? -1 : 0;
}

void TFormBensEdit::BtEditarClick()
{
    const int row = currentChange();
    if (row < 0) {
        app::Mensagem("Nenhuma Atualização de\r\nValor do Bem para Editar!", 0);
        return;
    }
    ValueChange c = m_changes[size_t(row)];
    if (m_vlrEdit->editChange(c, "Editar/Alterar Atualização de Valor")) {
        m_changes[size_t(row)] = c;
        placeAfterEdit(c.codigo);
    }
    AtualizarValorTotal();
}

void TFormBensEdit::BtExcluirClick()
{
    const int row = currentChange();
    if (row < 0) {
        app::Mensagem("Nenhuma Atualização de\r\nValor do Bem para Excluir!", 0);
        return;
    }
    if (app::Mensagem("Tem certeza que deseja excluir\r\nesta Atualização de Valor do Bem?", 2) !=
        app::MsgButton::Yes)
        return;
    m_changes.erase(m_changes.begin() + row);
    showChanges(std::min(row, int(m_changes.size()) - 1));
    AtualizarValorTotal();
}

void TFormBensEdit::focusRefusal(const Refusal &r)
{
    switch (r.field) {
    case Field::Descricao:
        m_leave.focus(EditDescr);
        break;
    case Field::CodCat:
        m_leave.focus(EditCat);
        break;
    case Field::DtAquisicao:
        m_leave.focus(EditDt);
        break;
    case Field::VlrAquisicao:
        m_leave.focus(EditValor);
        break;
    default:
        if (r.changeRow >= 0)
            DBGrid1->selectRow(r.changeRow);
        DBGrid1->setFocus();
        break;
    }
}

void TFormBensEdit::BtOkClick()
{
    if (!m_leave.checkFocused(BtOk))
        return;
    AtualizarValorTotal();
    const QString cat = EditCat->text().trimmed();
    AssetFields a;
    a.descricao = EditDescr->text().trimmed();
    if (!cat.isEmpty())
        a.codCat = cat.toLongLong();
    a.dtAquisicao = dateOf(EditDt->text());
    a.vlrAquisicao = valorOf(EditValor->text());
    const Register reg = Register::of(m_dm);
    const bool exists = a.codCat && categoryName(reg, *a.codCat).has_value();
    if (const auto r = checkAsset(a, exists, m_changes)) {
        app::Mensagem(r->message, 0);
        focusRefusal(*r);
        return;
    }
    data::Table *t = m_dm.TbBens;
    t->setValue("Descricao", a.descricao);
    t->setValue("Obs", EditObs->text().trimmed());
    t->setValue("CodCat", *a.codCat);
    t->setValue("DtAquisicao", a.dtAquisicao);
    t->setValue("VlrAquisicao", a.vlrAquisicao.centavos());
    saveAsset(reg, m_changes);
    BtOk->setProperty("Tag", 1);
    accept();
}

} // namespace assets
