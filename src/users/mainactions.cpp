#include "mainactions.h"

#include "UUser.h"
#include "UUserMng.h"

#include <app/application.h>
#include <app/mainactions.h>
#include <app/mensagem.h>
#include <data/UDM.h>

#include <QAction>

namespace users {

void setupMainActions(const app::MainActions &main, data::TDM &dm)
{
    QObject::connect(main.ActionPreferencias, &QAction::triggered, main.window, [main, &dm] {
        app::guarded([&] {
            main.showHomePage();
            TFormUser dlg(dm, 1, main.window);
            dlg.exec();
            main.userChanged();
        });
    });
    QObject::connect(main.ActionUserBackup, &QAction::triggered, main.window, [main, &dm] {
        app::guarded([&] {
            main.showHomePage();
            TFormUser dlg(dm, 2, main.window);
            dlg.exec();
            if (dlg.fecharTag() == 1 && !main.reopenUser())
                app::Mensagem("Erro ao inicializar usuário!", 0);
        });
    });
    QObject::connect(main.ActionUserMng, &QAction::triggered, main.window, [main, &dm] {
        app::guarded([&] {
            data::Table *u = dm.TbUser;
            if (!u->locate("Cod", dm.CodUsuario().toInt()) || !u->asBool("Admin")) {
                app::Mensagem("Este usuário não está habilitado a Gerenciar Usuários.\r\n\r\n"
                              "Clique Usuários/Alternar Usuário e acesse o programa\r\n"
                              "escolhendo um usuário com perfil de Administrador (A).",
                              0);
                return;
            }
            main.showHomePage();
            int tag = 0;
            {
                TFormUserMng dlg(dm, main.window);
                dlg.exec();
                tag = dlg.fecharTag();
            }
            if (tag == 1)
                main.signInAgain();
            else
                main.userChanged();
        });
    });
}

} // namespace users
