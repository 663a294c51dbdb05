#include "UBensCatEdit.h"

#include "assetfields.h"
#include "assetstore.h"

#include <accounts/listbuttons.h>
#include <accounts/mnemonicbutton.h>
#include <app/application.h>
#include <app/error.h>
#include <app/format.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <data/UDM.h>

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace assets {

TFormBensCatEdit::TFormBensCatEdit(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm)
{
    setObjectName("TFormBensCatEdit");
    EditCodR = new QLineEdit;
    EditCodR->setObjectName("EditCodR");
    EditCodR->setMaxLength(2);
    EditCodR->setValidator(new app::CharsetValidator("0-9", EditCodR));
    EditCodR->setToolTip("Digite o Código Reduzido do Departamento (9999)");
    EditCodR->setMaximumWidth(50);
    EditDescr = new QLineEdit;
    EditDescr->setObjectName("EditDescr");
    EditDescr->setMaxLength(30);
    EditDescr->setMinimumWidth(260);
    auto *form = new QFormLayout;
    form->addRow(caption("&Código", EditCodR), EditCodR);
    form->addRow(caption("&Nome da Categoria", EditDescr), EditDescr);
    const accounts::EditorButtons b = accounts::makeEditorButtons(2021);
    BtOk = b.ok;
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(b.row);
    connect(b.ok, &QPushButton::clicked, this, [this] { app::guarded([this] { BtOkClick(); }); });
    connect(b.cancel, &QPushButton::clicked, this, &QDialog::reject);
    new app::FieldNavigator(this);
}

bool TFormBensCatEdit::run(const QString &title, qint64 codCatAnt, bool temBens)
{
    data::Table *t = m_dm.TbBensCat;
    CodCatAnt = codCatAnt;
    TemBens = temBens;
    setWindowTitle(title);
    EditCodR->setText(t->isNull("CodCat") ? QString() : QString::number(t->asInt("CodCat")));
    EditDescr->setText(t->asString("NomeCat"));
    app::placeDialog(this, app::mainWindow());
    EditCodR->setFocus();
    if (exec() == QDialog::Accepted)
        return true;
    app::guarded([t] { t->cancel(); });
    return false;
}

void TFormBensCatEdit::BtOkClick()
{
    const auto refuse = [](const QString &text, QLineEdit *focus) {
        app::Mensagem(text, 0);
        focus->setFocus();
        focus->selectAll();
    };
    const QString codText = EditCodR->text().trimmed();
    if (codText.isEmpty())
        return refuse("Por favor, digite um Código para esta Categoria.", EditCodR);
    const qint64 cod = codText.toLongLong();
    if (cod < 1 || cod > 99)
        return refuse("Código de Categoria é Inválido!\r\nDigite um Codigo>=1 e Codigo<=99.",
                      EditCodR);
    const QString nome = EditDescr->text().trimmed();
    if (nome.isEmpty())
        return refuse("Nome da Categoria precisa ser preenchido!", EditDescr);
    const Register reg = Register::of(m_dm);
    if (cod != CodCatAnt && categoryName(reg, cod))
        return refuse("Código de Categoria \"" + app::formatNumber(cod, "00") + "\" já existe!" +
                          "\r\n" + "Escolha outro código para esta Categoria!",
                      EditCodR);
    data::Table *t = m_dm.TbBensCat;
    t->setValue("CodCat", cod);
    t->setValue("NomeCat", nome);
    if (TemBens && cod != CodCatAnt) {
        const QString q = "A alteração de código de Categoria afeta registros de Bens.\r\nTODOS "
                          "os registros de Bens de Categoria \"" +
                          app::formatNumber(CodCatAnt, "00") + "\" serão alterados para \"" +
                          app::formatNumber(cod, "00") + "\"." + "\r\n" + "\r\n" +
                          "Confirma esta operação?";
        if (app::Mensagem(q, 2) != app::MsgButton::Yes) {
            app::Mensagem("Alterações não realizadas!\r\nRevise o código da Categoria!", 0);
            EditCodR->setFocus();
            return;
        }
        renumberCategory(reg, CodCatAnt);
        accept();
        app::Mensagem("Alterações realizadas com sucesso!", 0);
        return;
    }
    try {
        renumberCategory(reg, CodCatAnt);
    } catch (const app::StorageError &) {
        return refuse("Código já existe.\r\nPor favor, escolha outro!", EditCodR);
    }
    accept();
}

} // namespace assets
