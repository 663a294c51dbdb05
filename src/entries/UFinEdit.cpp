#include "UFinEdit.h"

#include "arithmetic.h"
#include "entryrules.h"
#include "historypopup.h"
#include "lookups.h"
#include "placeholders.h"
#include "session.h"
#include "valoredit.h"

#include <accounts/UCtaView.h>
#include <accounts/UHstoView.h>
#include <app/application.h>
#include <app/dates.h>
#include <app/error.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/leavechecks.h>
#include <app/mensagem.h>
#include <app/windowhints.h>
#include <data/UDM.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace entries {

namespace {

constexpr int kHelpTopic = 2033;
const char *const kGreen = "color: #006000; font-weight: bold;";

QLineEdit *lineEdit(const char *name, int maxLength)
{
    auto *e = new QLineEdit;
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

QToolButton *pickerButton(const char *name, const QString &hint)
{
    auto *b = new QToolButton;
    b->setObjectName(name);
    b->setText("...");
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus); // beside the field, never a stop of Enter/Tab
    b->setFixedSize(22, 22);
    return b;
}

QLabel *caption(const QString &text)
{
    return new QLabel(text);
}

void paint(QLineEdit *e, const QString &colour)
{
    e->setStyleSheet("QLineEdit { background: " + colour + "; }");
}

} // namespace

struct TFormFinEdit::Private
{
    Private(TFormFinEdit *form, data::TDM &d, Session &s, accounts::TFormCtaView *cta,
            accounts::TFormHstoView *hsto)
        : q(form), dm(d), session(s), ctaView(cta), hstoView(hsto),
          leave(form, [this](QWidget *field) { return leaveCheck(field); })
    {
    }

    TFormFinEdit *q;
    data::TDM &dm;
    Session &session;
    accounts::TFormCtaView *ctaView;
    accounts::TFormHstoView *hstoView;

    QWidget *PanelDados = nullptr;
    QLineEdit *EditData = nullptr, *EditCtaDeb = nullptr, *EditCtaCred = nullptr;
    QLineEdit *EditValor = nullptr, *EditHsto = nullptr, *EditNumDoc = nullptr, *EditObs = nullptr;
    QLineEdit *EditCalc = nullptr;
    QCheckBox *DBCheckConfirmado = nullptr;
    QLabel *LabelCodigo = nullptr, *LabelDia = nullptr, *LbCtaDeb = nullptr, *LbCtaCred = nullptr;
    QPushButton *BtOk = nullptr, *BtCancel = nullptr;
    HistoryPopup *historyPopup = nullptr;

    int okTag = 0;           // BtOk's result flag
    QString openingDataText; // the date text the entry had when the editor opened

    // The checks on leaving EditData, the accounts and EditValor.
    app::LeaveChecks leave;

    void build();
    QWidget *buildPanel();
    void createLabels();
    void layoutPanel();
    QLayout *buildButtons();
    void connectAll();

    void loadRecord();
    void storeRecord();
    std::optional<AccountRef> accountOf(qint64 codRed) const
    {
        return findAccount(dm.db(), *dm.TbCta, codRed);
    }
    EntryInput input();
    QLineEdit *editOf(EntryField f) const;
    void focusField(QWidget *w, bool select = true);

    bool leaveCheck(QWidget *w);
    bool EditDataExit();
    bool EditCtaExit(QLineEdit *edit, EntryField field, bool withMessage = true);
    bool EditValorExit();
    void refuse(QWidget *w, const QString &message, bool fromFocusOut);

    void openCtaPicker(QLineEdit *edit, EntryField field);
    void openHstoPicker();
    void EditHstoEnter();
    void EditHstoVerificarCoringas();
    void openCalc();
    void EditCalcEnter();

    void opening();
    void announceUnknownAccounts();
    void viewOnlyOk();
    bool keyPress(QObject *w, QKeyEvent *k);
};

// ---------------------------------------------------------------- building

void TFormFinEdit::Private::build()
{
    q->setObjectName("TFormFinEdit");
    q->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    app::withoutCloseBox(q);
    q->setStyleSheet("QDialog#TFormFinEdit { background: #D9EAD9; }"
                     "QWidget#PanelDados { background: #ECF4EC; border: 1px solid #A9C4A9; }");
    auto *outer = new QVBoxLayout(q);
    outer->addWidget(buildPanel());
    outer->addLayout(buildButtons());

    EditCalc = lineEdit("EditCalc", 60);
    EditCalc->setParent(q);
    EditCalc->setStyleSheet("QLineEdit { background: #FFFFCC; }");
    EditCalc->setText("<Digite uma expressão aritmética>");
    EditCalc->hide();
    historyPopup = new HistoryPopup(q);

    q->setFixedSize(600, 330);
    QWidget::setTabOrder(EditData, EditCtaDeb);
    QWidget::setTabOrder(EditCtaDeb, EditCtaCred);
    QWidget::setTabOrder(EditCtaCred, EditValor);
    QWidget::setTabOrder(EditValor, EditHsto);
    QWidget::setTabOrder(EditHsto, DBCheckConfirmado);
    QWidget::setTabOrder(DBCheckConfirmado, EditNumDoc);
    QWidget::setTabOrder(EditNumDoc, EditObs);
    QWidget::setTabOrder(EditObs, BtOk);
    QWidget::setTabOrder(BtOk, BtCancel);
}

QWidget *TFormFinEdit::Private::buildPanel()
{
    PanelDados = new QWidget;
    PanelDados->setObjectName("PanelDados");
    PanelDados->setAttribute(Qt::WA_StyledBackground);
    EditData = lineEdit("EditData", 10);
    EditData->setValidator(new app::CharsetValidator("0-9/", EditData));
    EditData->setFixedWidth(90);
    EditCtaDeb = lineEdit("EditCtaDeb", 3);
    EditCtaCred = lineEdit("EditCtaCred", 3);
    for (QLineEdit *e : {EditCtaDeb, EditCtaCred}) {
        e->setValidator(new app::CharsetValidator("0-9", e));
        e->setFixedWidth(44);
        e->setAlignment(Qt::AlignRight);
    }
    EditValor = lineEdit("EditValor", 30);
    EditValor->setValidator(new ValorValidator(EditValor));
    EditValor->setFixedWidth(120);
    EditValor->setAlignment(Qt::AlignRight);
    EditHsto = lineEdit("EditHsto", 80);
    EditNumDoc = lineEdit("EditNumDoc", 15);
    EditNumDoc->setFixedWidth(130);
    EditObs = lineEdit("EditObs", 120);
    DBCheckConfirmado = new QCheckBox("OK. Confirmado");
    DBCheckConfirmado->setObjectName("DBCheckConfirmado");
    DBCheckConfirmado->setProperty("navField", true);
    createLabels();
    layoutPanel();
    return PanelDados;
}

void TFormFinEdit::Private::createLabels()
{
    LabelCodigo = new QLabel;
    LabelCodigo->setObjectName("LabelCodigo");
    LabelCodigo->setStyleSheet(kGreen);
    LabelDia = new QLabel;
    LabelDia->setObjectName("LabelDia");
    LabelDia->setStyleSheet(kGreen);
    LbCtaDeb = new QLabel;
    LbCtaDeb->setObjectName("LbCtaDeb");
    LbCtaCred = new QLabel;
    LbCtaCred->setObjectName("LbCtaCred");
    // Account descriptions are the user's own text, never markup.
    for (QLabel *l : {LabelCodigo, LabelDia, LbCtaDeb, LbCtaCred})
        l->setTextFormat(Qt::PlainText);
}

void TFormFinEdit::Private::layoutPanel()
{
    auto *g = new QGridLayout(PanelDados);
    g->setColumnStretch(3, 1);
    g->addWidget(caption("Data Lcto"), 0, 0);
    g->addWidget(EditData, 0, 1, 1, 2);
    g->addWidget(LabelDia, 0, 3);
    auto *codigo = new QHBoxLayout;
    codigo->addWidget(caption("Código"));
    codigo->addWidget(LabelCodigo);
    g->addLayout(codigo, 0, 4);
    const auto accountRow = [&](int row, const QString &text, QLineEdit *e, const char *button,
                                QLabel *label) {
        g->addWidget(caption(text), row, 0);
        g->addWidget(e, row, 1);
        g->addWidget(pickerButton(button, "Escolher a conta (F2)"), row, 2);
        g->addWidget(label, row, 3, 1, 2);
    };
    accountRow(1, "Conta Destino", EditCtaDeb, "BtCtaDeb", LbCtaDeb);
    accountRow(2, "Conta Origem", EditCtaCred, "BtCtaCred", LbCtaCred);
    g->addWidget(caption("Valor"), 3, 0);
    g->addWidget(EditValor, 3, 1, 1, 3, Qt::AlignLeft);
    g->addWidget(caption("Histórico/Descrição do Lançamento"), 4, 0, 1, 4);
    auto *hsto = new QHBoxLayout;
    hsto->addWidget(EditHsto, 1);
    hsto->addWidget(pickerButton("BtHsto", "Escolher um histórico padrão (F2)"));
    g->addLayout(hsto, 5, 0, 1, 5);
    auto *doc = new QHBoxLayout;
    doc->addWidget(DBCheckConfirmado);
    doc->addStretch();
    doc->addWidget(caption("Num. Documento"));
    doc->addWidget(EditNumDoc);
    g->addLayout(doc, 6, 0, 1, 5);
    g->addWidget(caption("Anotação/Observação"), 7, 0, 1, 4);
    g->addWidget(EditObs, 8, 0, 1, 5);
}

QLayout *TFormFinEdit::Private::buildButtons()
{
    auto *help = new QToolButton;
    help->setObjectName("BtHelp");
    help->setText("?");
    help->setFocusPolicy(Qt::NoFocus);
    app::wireHelp(help, kHelpTopic);
    BtOk = new QPushButton("&Gravar");
    BtOk->setObjectName("BtOk");
    BtCancel = new QPushButton("&Cancelar");
    BtCancel->setObjectName("BtCancel");
    auto *l = new QHBoxLayout;
    l->addWidget(help);
    l->addStretch();
    l->addWidget(BtOk);
    l->addWidget(BtCancel);
    return l;
}

void TFormFinEdit::Private::connectAll()
{
    for (QWidget *w : {static_cast<QWidget *>(EditData), static_cast<QWidget *>(EditCtaDeb),
                       static_cast<QWidget *>(EditCtaCred), static_cast<QWidget *>(EditValor),
                       static_cast<QWidget *>(EditHsto), static_cast<QWidget *>(EditCalc)})
        w->installEventFilter(q);
    leave.watch({EditData, EditCtaDeb, EditCtaCred, EditValor});
    leave.addWayOut(BtCancel);
    new ValorKeys(EditValor, [this] { openCalc(); });
    auto *nav = new app::FieldNavigator(q);
    // Enter in these two belongs to them (code look-up, the arithmetic); Up and Down in the
    // history field are handled with it.
    nav->addException(EditHsto);
    nav->addException(EditCalc);
    QObject::connect(BtOk, &QPushButton::clicked, q, [this] { q->BtOkClick(); });
    QObject::connect(BtCancel, &QPushButton::clicked, q, &TFormFinEdit::reject);
    QObject::connect(q->findChild<QToolButton *>("BtCtaDeb"), &QToolButton::clicked, q, [this] {
        app::guarded([this] { openCtaPicker(EditCtaDeb, EntryField::CtaDeb); });
    });
    QObject::connect(q->findChild<QToolButton *>("BtCtaCred"), &QToolButton::clicked, q, [this] {
        app::guarded([this] { openCtaPicker(EditCtaCred, EntryField::CtaCred); });
    });
    QObject::connect(q->findChild<QToolButton *>("BtHsto"), &QToolButton::clicked, q,
                     [this] { app::guarded([this] { openHstoPicker(); }); });
    QObject::connect(historyPopup, &HistoryPopup::chosen, q, [this](const QString &text) {
        EditHsto->setText(text);
        focusField(EditHsto, false);
    });
}

// ---------------------------------------------------------------- record <-> fields

void TFormFinEdit::Private::loadRecord()
{
    const data::Table *t = dm.TbFin;
    const auto number = [t](const char *f) {
        return t->isNull(f) ? QString() : QString::number(t->asInt(f));
    };
    EditData->setText(app::formatDate(t->asDate("Data"), "dd/MM/yyyy"));
    EditCtaDeb->setText(number("CtaDeb"));
    EditCtaCred->setText(number("CtaCred"));
    EditValor->setText(t->isNull("Valor") ? QString() : app::formatMoney(t->asMoney("Valor")));
    EditHsto->setText(t->asString("Hsto"));
    DBCheckConfirmado->setChecked(t->asBool("Confirmado"));
    EditNumDoc->setText(t->asString("NumDoc"));
    EditObs->setText(t->asString("Obs"));
    LabelCodigo->setText(t->isNull("Codigo") ? QString()
                                             : app::formatNumber(t->asInt("Codigo"), "000000"));
}

EntryInput TFormFinEdit::Private::input()
{
    EntryInput in;
    in.dataText = EditData->text();
    in.ctaDeb = EditCtaDeb->text().toLongLong();
    in.ctaCred = EditCtaCred->text().toLongLong();
    in.ctaDebKnown = accountOf(in.ctaDeb).has_value();
    in.ctaCredKnown = accountOf(in.ctaCred).has_value();
    in.valorText = EditValor->text();
    in.hsto = EditHsto->text();
    return in;
}

// Precondition: the fields passed checkEntry().
void TFormFinEdit::Private::storeRecord()
{
    data::Table *t = dm.TbFin;
    QUORVILA_SOFT_ASSERT(t->state() == data::Table::State::Insert ||
                             t->state() == data::Table::State::Edit,
                         t->edit());
    const auto code = [](QLineEdit *e) {
        const qint64 n = e->text().toLongLong();
        return n > 0 ? QVariant(qlonglong(n)) : QVariant();
    };
    t->setValue("Data", app::parseDate(EditData->text()));
    t->setValue("CtaDeb", code(EditCtaDeb));
    t->setValue("CtaCred", code(EditCtaCred));
    t->setValue("Valor", qlonglong(valorFromText(EditValor->text())->centavos()));
    t->setValue("Hsto", EditHsto->text());
    t->setValue("Confirmado", DBCheckConfirmado->isChecked());
    t->setValue("NumDoc", EditNumDoc->text());
    t->setValue("Obs", EditObs->text());
    t->setValue("DataLog", app::today());
}

QLineEdit *TFormFinEdit::Private::editOf(EntryField f) const
{
    switch (f) {
    case EntryField::Data:
        return EditData;
    case EntryField::CtaDeb:
        return EditCtaDeb;
    case EntryField::CtaCred:
        return EditCtaCred;
    case EntryField::Valor:
        return EditValor;
    case EntryField::Hsto:
        break;
    }
    return EditHsto;
}

void TFormFinEdit::Private::focusField(QWidget *w, bool select)
{
    w->setFocus(Qt::OtherFocusReason);
    if (auto *e = qobject_cast<QLineEdit *>(w); e && select)
        e->selectAll();
}

// ---------------------------------------------------------------- leaving a field

// The check of the field being left (through `leave`, which the OK handler runs again for the
// field that has the focus). False when the field was refused (message shown).
bool TFormFinEdit::Private::leaveCheck(QWidget *w)
{
    if (!PanelDados->isEnabled())
        return true;
    if (w == EditData)
        return EditDataExit();
    if (w == EditCtaDeb)
        return EditCtaExit(EditCtaDeb, EntryField::CtaDeb);
    if (w == EditCtaCred)
        return EditCtaExit(EditCtaCred, EntryField::CtaCred);
    if (w == EditValor)
        return EditValorExit();
    return true;
}

bool TFormFinEdit::Private::EditDataExit()
{
    const QString text = EditData->text();
    if (const auto problem = dateTextProblem(text)) {
        app::Mensagem(*problem, 0);
        return false;
    }
    const QDate data = app::parseDate(text);
    if (data.isValid())
        EditData->setText(app::formatDate(data, "dd/MM/yyyy"));
    LabelDia->setText(app::formatDate(data, "dddd"));
    const Period &p = session.period();
    const DateShade shade =
        dateShade({data, EditData->text(), openingDataText, PanelDados->isEnabled(),
                   fechadoAte(*dm.TbUser), p.DtIni, p.DtFim});
    paint(EditData, dateShadeColour(shade));
    return true;
}

bool TFormFinEdit::Private::EditCtaExit(QLineEdit *edit, EntryField field, bool withMessage)
{
    QLabel *label = field == EntryField::CtaDeb ? LbCtaDeb : LbCtaCred;
    const QString text = edit->text();
    const auto account = text.isEmpty() ? std::nullopt : accountOf(text.toLongLong());
    label->setText(account ? account->label() : QString());
    if (account || text.isEmpty())
        return true;
    if (withMessage)
        app::Mensagem(unknownAccountMessage(field), 0);
    return false;
}

bool TFormFinEdit::Private::EditValorExit()
{
    if (const auto problem = valorTextProblem(EditValor->text())) {
        app::Mensagem(*problem, 0);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- look-ups

void TFormFinEdit::Private::openCtaPicker(QLineEdit *edit, EntryField field)
{
    if (!ctaView || !PanelDados->isEnabled())
        return;
    const auto current = accountOf(edit->text().toLongLong());
    ctaView->Tag = 0;
    ctaView->FiltroCta =
        field == EntryField::CtaDeb ? "(CodCta<'1' or CodCta>='2')" : "(CodCta<'2')";
    ctaView->CodCtaIni = current ? current->codCta : QString();
    ctaView->showAt(edit->mapToGlobal(QPoint(3, edit->height() + 23)));
    if (ctaView->Tag == 1) {
        // A heading account has no reduced code: it empties the field.
        const qint64 codRed = dm.TbCta->asInt("CodRed");
        edit->setText(codRed > 0 ? QString::number(codRed) : QString());
    }
    dm.TbCta->setFilter({});
    q->activateWindow(); // the pop-up had the keyboard; not every window manager gives it back
    focusField(edit);
    leave.leave(edit);
}

void TFormFinEdit::Private::openHstoPicker()
{
    if (!hstoView || !PanelDados->isEnabled())
        return;
    hstoView->Tag = 0;
    hstoView->showAt(EditHsto->mapToGlobal(QPoint(3, EditHsto->height() + 23)));
    q->activateWindow();
    if (hstoView->Tag == 1) {
        EditHsto->setText(dm.TbHsto->asString("Descricao"));
        EditHstoVerificarCoringas();
    } else {
        focusField(EditHsto, false);
    }
}

// Enter in the history field: a number is a standard history's code, anything else is a history
// already typed and the focus moves on to the document number.
void TFormFinEdit::Private::EditHstoEnter()
{
    const auto code = historyCodeFromText(EditHsto->text());
    if (!code) {
        focusField(EditNumDoc);
        return;
    }
    const auto text = findStandardHistory(dm.db(), *dm.TbHsto, *code);
    if (!text) {
        app::Mensagem(hstoNotFoundMessage(), 0);
        focusField(EditHsto);
        return;
    }
    EditHsto->setText(*text);
    EditHstoVerificarCoringas();
}

void TFormFinEdit::Private::EditHstoVerificarCoringas()
{
    const auto nameOf = [this](QLineEdit *e) -> std::optional<QString> {
        const auto a = e->text().isEmpty() ? std::nullopt : accountOf(e->text().toLongLong());
        if (!a)
            return std::nullopt;
        return accountHistoryName(a->descParaHsto, a->descricao);
    };
    const PlaceholderContext c{app::parseDate(EditData->text()), nameOf(EditCtaDeb),
                               nameOf(EditCtaCred)};
    const ExpandedHistory out = expandPlaceholders(EditHsto->text(), c, EditHsto->maxLength());
    EditHsto->setText(out.text);
    focusField(EditHsto, false);
    EditHsto->deselect();
    EditHsto->setCursorPosition(out.caret);
}

// ---------------------------------------------------------------- the arithmetic box

void TFormFinEdit::Private::openCalc()
{
    const QPoint at = EditValor->mapTo(q, QPoint(0, 20));
    EditCalc->setGeometry(at.x(), at.y(), std::max(EditValor->width(), 240), EditValor->height());
    EditCalc->show();
    EditCalc->raise();
    focusField(EditCalc);
}

void TFormFinEdit::Private::EditCalcEnter()
{
    const auto result = evaluateExpression(EditCalc->text());
    const auto problem = result ? expressionResultProblem(*result) : expressionErrorMessage();
    if (problem) {
        app::Mensagem(*problem, 0);
        EditCalc->show();
        focusField(EditCalc);
        return;
    }
    EditValor->setText(expressionResultText(*result));
    focusField(EditValor);
}

// ---------------------------------------------------------------- opening and closing

void TFormFinEdit::Private::opening()
{
    app::AjustarFormatoDatas();
    app::placeDialog(q);
    for (QLineEdit *e :
         {EditData, EditCtaDeb, EditCtaCred, EditValor, EditHsto, EditNumDoc, EditObs})
        paint(e, "#FFFFFF");
    EditCalc->hide();
    leave.clearRefusal();
    okTag = 0;
    loadRecord();
    EditCtaExit(EditCtaDeb, EntryField::CtaDeb, false);
    EditCtaExit(EditCtaCred, EntryField::CtaCred, false);
    const QDate data = dm.TbFin->asDate("Data");
    LabelDia->setText(app::formatDate(data, "dddd"));
    openingDataText = EditData->text();
    if (PanelDados->isEnabled())
        focusField(EditData);
    else
        BtOk->setFocus();
    // After the dialog is up, so the messages open over it.
    QTimer::singleShot(0, q, [this] { app::guarded([this] { announceUnknownAccounts(); }); });
}

// An entry opened with a code the chart no longer has is told at once.
void TFormFinEdit::Private::announceUnknownAccounts()
{
    if (!q->isVisible())
        return;
    for (auto [edit, field] :
         {std::pair{EditCtaDeb, EntryField::CtaDeb}, std::pair{EditCtaCred, EntryField::CtaCred}})
        if (!EditCtaExit(edit, field, false))
            app::Mensagem(unknownAccountMessage(field), 0);
}

// An entry shown only because its period is closed cannot have changed: nothing is written.
void TFormFinEdit::Private::viewOnlyOk()
{
    q->reject();
}

// ---------------------------------------------------------------- keys

bool TFormFinEdit::Private::keyPress(QObject *w, QKeyEvent *k)
{
    const int key = k->key();
    if ((w == EditCtaDeb || w == EditCtaCred) && key == Qt::Key_F2) {
        auto *e = static_cast<QLineEdit *>(w);
        app::guarded(
            [&] { openCtaPicker(e, e == EditCtaDeb ? EntryField::CtaDeb : EntryField::CtaCred); });
        return true;
    }
    if (w == EditHsto) {
        if (key == Qt::Key_F2)
            app::guarded([this] { openHstoPicker(); });
        else if (key == Qt::Key_F3)
            historyPopup->showUnder(EditHsto);
        else if (key == Qt::Key_Return || key == Qt::Key_Enter)
            app::guarded([this] { EditHstoEnter(); });
        else if (key == Qt::Key_Down || key == Qt::Key_Up)
            q->stepFocus(key == Qt::Key_Down);
        else
            return false;
        return true;
    }
    if (w == EditCalc) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            app::guarded([this] { EditCalcEnter(); });
        else if (key == Qt::Key_Escape)
            focusField(EditValor);
        else
            return false;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- the dialog

TFormFinEdit::TFormFinEdit(data::TDM &dm, Session &session, accounts::TFormCtaView *ctaView,
                           accounts::TFormHstoView *hstoView, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this, dm, session, ctaView, hstoView))
{
    d->build();
    d->connectAll();
}

TFormFinEdit::~TFormFinEdit() = default;

void TFormFinEdit::setEditable(bool editable)
{
    d->PanelDados->setEnabled(editable);
    d->BtOk->setText(editable ? "&Gravar" : "&OK");
}

bool TFormFinEdit::isEditable() const
{
    return d->PanelDados->isEnabled();
}

int TFormFinEdit::okTag() const
{
    return d->okTag;
}

void TFormFinEdit::setHistoryList(const QStringList &items)
{
    d->historyPopup->setItems(items);
}

void TFormFinEdit::setHistorySource(std::function<QStringList()> source)
{
    d->historyPopup->setItemsSource(std::move(source));
}

QStringList TFormFinEdit::historyList() const
{
    return d->historyPopup->items();
}

void TFormFinEdit::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        app::guarded([this] { d->opening(); });
}

bool TFormFinEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        return d->keyPress(watched, static_cast<QKeyEvent *>(event));
    if (event->type() != QEvent::FocusOut)
        return false;
    if (watched == d->EditCalc) {
        d->EditCalc->hide();
        return false;
    }
    return false;
}

void TFormFinEdit::BtOkClick()
{
    if (!isEditable())
        return d->viewOnlyOk();
    if (!d->leave.checkFocused(d->BtOk))
        return;
    bool posted = false;
    app::guarded([&] {
        if (const auto problem = checkEntry(d->input(), {true, fechadoAte(*d->dm.TbUser)})) {
            app::Mensagem(problem->message, 0);
            d->focusField(d->editOf(problem->field));
            return;
        }
        d->storeRecord();
        d->session.balances().postEntry();
        posted = true;
    });
    if (!posted)
        return;
    d->historyPopup->prepend(d->dm.TbFin->asString("Hsto"));
    d->okTag = 1;
    QDialog::accept();
}

void TFormFinEdit::reject()
{
    app::guarded([this] { d->dm.TbFin->cancel(); });
    d->okTag = 0;
    d->EditCalc->hide();
    QDialog::reject();
}

} // namespace entries
