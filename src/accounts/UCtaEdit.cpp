#include "UCtaEdit.h"

#include "chartstore.h"
#include "fieldedit.h"
#include "listbuttons.h"
#include "mnemonicbutton.h"

#include <app/application.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>

#include <data/UDM.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace accounts {

TFormCtaEdit::TFormCtaEdit(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm),
      m_leave(this, [this](QWidget *field) { return checkField(field); })
{
    setObjectName("TFormCtaEdit");
    EditCta = new FieldEdit(dm.TbCta, "CodCta");
    EditCta->setObjectName("EditCta");
    EditCta->setMaxLength(7);
    EditCta->setValidator(new app::CharsetValidator("0-9.", EditCta));
    EditCodR = new FieldEdit(dm.TbCta, "CodRed");
    EditCodR->setObjectName("EditCodR");
    EditCodR->setMaxLength(3);
    EditCodR->setValidator(new app::CharsetValidator("0-9", EditCodR));
    EditDescr = new FieldEdit(dm.TbCta, "Descricao");
    EditDescr->setObjectName("EditDescr");
    EditDescr->setMaxLength(50);
    EditDescr->setMinimumWidth(320);

    auto *form = new QFormLayout;
    form->addRow("Conta", EditCta);
    form->addRow("Cod Red", EditCodR);
    form->addRow("Nome/Descrição da Conta", EditDescr);

    const EditorButtons buttons = makeEditorButtons(2032);
    BtOk = buttons.ok;
    BtCancel = buttons.cancel;

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(buttons.row);

    connect(buttons.ok, &QPushButton::clicked, this, &TFormCtaEdit::BtOkClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &TFormCtaEdit::reject);
    m_leave.watch({EditCta});
    m_leave.addWayOut(BtCancel);
    m_leave.setSelectOnRefusal(false);
    new app::FieldNavigator(this);
}

int TFormCtaEdit::exec()
{
    for (FieldEdit *e : {EditCta, EditCodR, EditDescr})
        e->load();
    app::placeDialog(this, app::mainWindow());
    return QDialog::exec();
}

void TFormCtaEdit::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (!visible)
        return;
    // After QDialog has handed the field its first focus (which selects the text): a new
    // account's "G." stays, with the caret after it, so the user types only the rest.
    EditCta->setFocus();
    EditCta->deselect();
    if (EditCta->text().size() == 2)
        EditCta->setCursorPosition(2);
}

void TFormCtaEdit::reject()
{
    app::guarded([this] { m_dm.TbCta->cancel(); });
    QDialog::reject();
}

bool TFormCtaEdit::checkField(QWidget *field)
{
    if (field != EditCta)
        return true;
    QString code = EditCta->text();
    const std::optional<QString> refusal = checkCodeOnLeave(code, Context.group);
    if (code != EditCta->text()) {
        EditCta->setText(code);
        EditCta->store();
    }
    if (!refusal)
        return true;
    app::Mensagem(*refusal, 0);
    return false;
}

CtaValues TFormCtaEdit::typedValues() const
{
    const data::Table *t = m_dm.TbCta;
    CtaValues v;
    v.codCta = t->asString("CodCta");
    if (!t->isNull("CodRed"))
        v.codRed = t->asInt("CodRed");
    v.descricao = t->asString("Descricao");
    return v;
}

void TFormCtaEdit::focusField(CtaField f)
{
    FieldEdit *e = f == CtaField::Code ? EditCta : f == CtaField::CodRed ? EditCodR : EditDescr;
    m_leave.focus(e, false);
}

void TFormCtaEdit::BtOkClick()
{
    app::guarded([this] { save(); });
}

void TFormCtaEdit::save()
{
    // "&Gravar" by mnemonic leaves the focus where it was: check that field first.
    if (!m_leave.checkFocused(BtOk))
        return;
    for (FieldEdit *e : {EditCta, EditCodR, EditDescr})
        e->store();
    const CtaValues v = typedValues();
    ChartStore store(m_dm);
    if (const auto failure = checkAccountSave(Context, v, store)) {
        app::Mensagem(failure->message, 0);
        focusField(failure->field);
        return;
    }
    if (!changesReducedCodeInUse(Context, v)) {
        m_dm.TbCta->post();
        accept();
        return;
    }
    if (app::Mensagem(renumberQuestion(Context, *v.codRed), 2) != app::MsgButton::Yes) {
        app::Mensagem(renumberDeclinedMessage(), 0);
        focusField(CtaField::CodRed);
        return;
    }
    store.renumberAndPost(Context.CodRedAnt, *v.codRed);
    accept();
    app::Mensagem(renumberDoneMessage(), 0);
}

} // namespace accounts
