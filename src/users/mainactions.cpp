#include "mainactions.h"

#include "UUser.h"

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
}

} // namespace users
