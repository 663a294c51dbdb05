#include "UHstoEdit.h"

#include "fieldedit.h"
#include "historystore.h"
#include "listbuttons.h"
#include "mnemonicbutton.h"

#include <app/application.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>

#include <data/UDM.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace accounts {

TFormHstoEdit::TFormHstoEdit(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm)
{
    setObjectName("TFormHstoEdit");
    EditCodR = new FieldEdit(dm.TbHsto, "Codigo");
    EditCodR->setObjectName("EditCodR");
    EditCodR->setMaxLength(3);
    EditCodR->setValidator(new app::CharsetValidator("0-9", EditCodR));
    EditCodR->setMaximumWidth(60);
    EditDescr = new FieldEdit(dm.TbHsto, "Descricao");
    EditDescr->setObjectName("EditDescr");
    EditDescr->setMaxLength(80);
    EditDescr->setMinimumWidth(460);

    auto *form = new QFormLayout;
    form->addRow("Código", EditCodR);
    form->addRow("Descrição do Histórico", EditDescr);

    const EditorButtons buttons = makeEditorButtons(2037);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(buttons.row);

    connect(buttons.ok, &QPushButton::clicked, this, &TFormHstoEdit::BtOkClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &TFormHstoEdit::reject);
    new app::FieldNavigator(this);
}

int TFormHstoEdit::exec()
{
    EditCodR->load();
    EditDescr->load();
    app::placeDialog(this, app::mainWindow());
    EditCodR->setFocus();
    return QDialog::exec();
}

void TFormHstoEdit::reject()
{
    app::guarded([this] { m_dm.TbHsto->cancel(); });
    QDialog::reject();
}

void TFormHstoEdit::BtOkClick()
{
    app::guarded([this] { save(); });
}

void TFormHstoEdit::save()
{
    EditCodR->store();
    EditDescr->store();
    data::Table *t = m_dm.TbHsto;
    if (t->isNull("Codigo")) {
        app::Mensagem("Por favor, digite um Código.\r\n\r\nEste é o código que deverá ser\r\n"
                      "utilizado para facilitar a digitação\r\nna inclusão de lançamentos!",
                      0);
        EditCodR->setFocus();
        return;
    }
    if (t->asString("Descricao").trimmed().isEmpty()) {
        app::Mensagem("Campo \"Descrição do Histórico\"\r\nprecisa ser preenchido!", 0);
        EditDescr->setFocus();
        return;
    }
    // Asked before posting, so that only a repeated code gets this message and any other
    // refusal of the storage keeps its own text.
    if (HistoryStore(m_dm).codeTaken(t->asInt("Codigo"), t->current().rowId)) {
        app::Mensagem("Código já existe.\r\nPor favor, escolha outro!", 0);
        EditCodR->setFocus();
        return;
    }
    t->post();
    accept();
}

} // namespace accounts
