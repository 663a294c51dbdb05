#include "usermng.h"

#include "password.h"

#include <app/error.h>
#include <data/UDM.h>
#include <data/catalogue.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>

namespace users {

int nextUserCode(data::TDM &dm)
{
    data::AttachGuard user(dm.db(), "TbUser.DB");
    return int(
        dm.db().scalar("SELECT COALESCE(MAX(Cod), 0) + 1 FROM " + user.table()).toLongLong());
}

std::optional<FormProblem> checkUserMngForm(const UserEdit &e, bool keepsStored, bool creating,
                                            bool fromUser, bool userChosen)
{
    const UserForm f{e.nome, e.ativarSenha, e.senha, e.redigitar, keepsStored};
    if (auto p = checkUserForm(f))
        return p;
    if (creating && fromUser && !userChosen)
        return FormProblem{"Você deve selecionar o usuário\r\ndo qual copiar o Plano de Contas!",
                           "ComboUser"};
    return std::nullopt;
}

static void setEditValues(data::Table &u, const UserEdit &e, bool keepsStored)
{
    u.setValue("Nome", e.nome);
    u.setValue("AtivarSenha", e.ativarSenha);
    u.setValue("Admin", e.admin);
    const UserForm f{e.nome, e.ativarSenha, e.senha, e.redigitar, keepsStored};
    if (!e.ativarSenha)
        u.setValue("Senha", QVariant());
    else if (!keepsStoredPassword(f))
        u.setValue("Senha", hashPassword(e.senha));
}

void createUser(data::TDM &dm, int cod, const UserEdit &e, const QString &fromCod,
                const OfxDefaults &ofx)
{
    const QString c = data::catalogue::codUsuario(cod);
    {
        data::FileBatch batch(dm.db());
        data::CriarArquivos(batch, c); // refuses a leftover file of this code
        if (fromCod.isEmpty())
            data::CopiarTabelasAuxiliaresQuorvila(batch, c);
        else
            data::CopiarTabelasDeOutroUsuario(batch, c, fromCod);
        batch.commit();
    }
    data::Table &u = *dm.TbUser;
    try {
        u.append();
        u.setValue("Cod", cod);
        u.setValue("IrPara", false);
        u.setValue("IncluirHoje", false);
        u.setValue("ExtratoTotDiario", false);
        u.setValue("ProxDias", 5);
        u.setValue("Cta0OFX", ofx.cta0);
        u.setValue("Cta1OFX", ofx.cta1);
        u.setValue("Cta2OFX", ofx.cta2);
        u.setValue("OkOFX", ofx.okOfx);
        setEditValues(u, e, false);
        u.post();
    } catch (...) {
        app::noThrow("createUser: undoing", [&] {
            u.cancel();
            data::DeleteUserFiles(dm.db(), c);
        });
        throw;
    }
}

void updateUser(data::TDM &dm, const UserEdit &e, bool keepsStored)
{
    data::Table &u = *dm.TbUser;
    u.edit();
    try {
        setEditValues(u, e, keepsStored);
        u.post();
    } catch (...) {
        u.cancel();
        throw;
    }
}

bool deleteUser(data::TDM &dm, int cod)
{
    if (!data::DeleteUserFiles(dm.db(), data::catalogue::codUsuario(cod)))
        return false;
    if (dm.TbUser->locate("Cod", cod))
        dm.TbUser->remove();
    return true;
}

QString comboText(int cod, const QString &nome)
{
    return data::catalogue::codUsuario(cod) + " " + nome;
}

} // namespace users
